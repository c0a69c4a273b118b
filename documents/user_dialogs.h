#pragma once

// The questions a window asks its user: messages, Yes/No/Cancel questions and file dialogs.
// Windows ask through this seam so that tests can answer instead of a person.

#include <QString>

#include <functional>

class QWidget;

namespace kargolo {

enum class Answer { Yes, No, Cancel };

struct FileDialogSpec {
    QString Title;
    QString Folder;          // initial folder, empty: the platform's choice
    QString FileName;        // proposed name
    QString DefaultSuffix;   // added when the user types none
    QString Filter;          // Qt filter text
};

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text) = 0;
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;
    // The chosen path, empty when the user cancels.
    virtual QString openFileName(QWidget* parent, const FileDialogSpec& spec) = 0;
    virtual QString saveFileName(QWidget* parent, const FileDialogSpec& spec) = 0;
};

// Message boxes and the platform's file dialogs.
UserDialogs& PlatformDialogs();

// Whether a window with unsaved changes may close: asks "Сохранить изменения в <caption>?";
// No closes, Cancel keeps the window, Yes saves and closes only when the save was written (so a
// cancelled or failed save never loses the work).
bool ConfirmClose(UserDialogs& dialogs, QWidget* window, const QString& caption,
                  const std::function<bool()>& save);

}  // namespace kargolo
