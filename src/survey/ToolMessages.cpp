#include "ToolMessages.h"

#include <QtGlobal>

namespace toolmessages {

namespace {

QtMessageHandler qtDefault = nullptr;

void filter(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtDefault(type, context, message);
}

} // namespace

void keepOnlyOwnMessages()
{
    // Installing twice must not make the filter its own default.
    const QtMessageHandler previous = qInstallMessageHandler(filter);
    if (previous != filter)
        qtDefault = previous;
}

} // namespace toolmessages
