#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <deque>
#include <functional>

class QWidget;

// Answers the modal dialogs a test expects, in order, from a timer that
// polls for the active modal widget. A dialog nobody expected is closed and
// recorded, so a fault fails the test in seconds instead of hanging it.
class DialogAnswerer : public QObject
{
    Q_OBJECT

public:
    using Answer = std::function<void(QWidget *dialog)>;

    DialogAnswerer();
    ~DialogAnswerer() override;

    void expect(Answer answer) { answers_.push_back(std::move(answer)); }
    bool allAnswered() const { return answers_.empty(); }
    const QStringList &unexpected() const { return unexpected_; }
    // Texts of every message box seen, in order (text and title).
    const QStringList &seenTexts() const { return seenTexts_; }
    const QStringList &seenTitles() const { return seenTitles_; }

    // Common answers.
    static Answer pressOk();

private:
    void poll();

    QTimer timer_;
    std::deque<Answer> answers_;
    QPointer<QWidget> lastAnswered_;
    QStringList unexpected_;
    QStringList seenTexts_;
    QStringList seenTitles_;
};
