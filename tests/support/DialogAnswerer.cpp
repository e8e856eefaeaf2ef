#include "DialogAnswerer.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>

DialogAnswerer::DialogAnswerer()
{
    timer_.setInterval(20);
    connect(&timer_, &QTimer::timeout, this, &DialogAnswerer::poll);
    timer_.start();
}

DialogAnswerer::~DialogAnswerer() = default;

DialogAnswerer::Answer DialogAnswerer::pressOk()
{
    return [](QWidget *dialog) {
        if (auto *box = qobject_cast<QMessageBox *>(dialog))
            box->accept();
        else if (auto *d = qobject_cast<QDialog *>(dialog))
            d->accept();
    };
}

void DialogAnswerer::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == lastAnswered_)
        return;
    lastAnswered_ = modal;
    auto *box = qobject_cast<QMessageBox *>(modal);
    if (box) {
        seenTexts_ << box->text();
        seenTitles_ << box->windowTitle();
    }
    if (answers_.empty()) {
        unexpected_ << (modal->windowTitle() + QStringLiteral(": ") + (box ? box->text() : QString()));
        if (auto *d = qobject_cast<QDialog *>(modal))
            d->reject();
        else
            modal->close();
        return;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    answer(modal);
}
