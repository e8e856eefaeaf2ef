#pragma once

#include <QFileDialog>

// What every file dialog of the programs shares: Qt's own dialog, which
// the tests can drive, in Italian, and no settings file left behind.
namespace filedialogs {

// Qt's dialog saves its history, last folder and view into the user's Qt
// settings file when it is destroyed; the programs keep no settings. Call
// before a dialog is made.
void keepNoSettings();

// Non-native, in the mode given, with Italian labels for it: saving,
// opening files, or choosing a folder (AcceptOpen with FileMode Directory).
void prepare(QFileDialog &dialog, QFileDialog::AcceptMode mode, QFileDialog::FileMode fileMode);

} // namespace filedialogs
