#include "StudioFixture.h"

#include "AnalisiRun.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSaveFile>
#include <QTest>

void StudioFixture::makeSurveys()
{
    QVERIFY(dir_.isValid());
    const studiotest::Surveys made = studiotest::make(dir_.path());
    QVERIFY(made.complete());
    survey_ = made.survey;
    other_ = made.other;
    broken_ = made.broken;
    shifted_ = made.shifted;
}

void StudioFixture::openWindow()
{
    window_ = std::make_unique<StudioWindow>(analisitest::areaFolder());
    window_->resize(1200, 800);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    answerer_ = std::make_unique<DialogAnswerer>();
}

void StudioFixture::closeWindow()
{
    QCOMPARE(answerer_->unexpected().join(QLatin1Char('|')), QString());
    QVERIFY(answerer_->allAnswered());
    answerer_.reset();
    // Unsaved designs would ask before the window goes.
    window_->hide();
    window_.reset();
    QApplication::clipboard()->clear();
}

StudioTab *StudioFixture::tabNamed(const QString &name) const
{
    for (StudioTab *tab : window_->tabList())
        if (tab->title().remove(QLatin1Char('&')) == name)
            return tab;
    return nullptr;
}

QString StudioFixture::noteOf(const StudioTab *tab) const
{
    for (const QLabel *label : tab->findChildren<QLabel *>())
        if (label->accessibleName() == QStringLiteral("Note sul grafico"))
            return label->isVisible() ? label->text() : QString();
    return QStringLiteral("<no note>");
}

void StudioFixture::trigger(QAction *action, DialogAnswerer::Answer answer)
{
    answerer_->expect(std::move(answer));
    QVERIFY(action->isEnabled());
    action->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(answerer_->allAnswered(), 10000);
}

DialogAnswerer::Answer StudioFixture::chooseFile(const QString &path, QString *offered, const QString &filter)
{
    return [=](QWidget *d) {
        auto *dialog = qobject_cast<QFileDialog *>(d);
        auto *name = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        QVERIFY(name);
        if (offered)
            *offered = name->text();
        if (!filter.isEmpty())
            dialog->selectNameFilter(filter);
        // As the selection the dialog waits to show once it has read the
        // folder, and as the text a user would type.
        dialog->selectFile(path);
        name->setText(path);
        // Accepted from the event loop: a question it asks is answered too.
        QMetaObject::invokeMethod(dialog, [dialog] { static_cast<QDialog *>(dialog)->accept(); }, Qt::QueuedConnection);
    };
}

bool StudioFixture::replaceFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
