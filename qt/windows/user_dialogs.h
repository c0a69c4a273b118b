#pragma once

// The questions a window asks its user: messages, Yes/No/Cancel questions and file dialogs.
// Windows ask through this seam so that tests can answer instead of a person.

#include <QString>

#include <functional>

class QWidget;

namespace kargolo {

// YesToAll and NoToAll answer the save question of every window closing together.
enum class Answer { Yes, No, Cancel, YesToAll, NoToAll };

// The extension of a filter's first pattern ("Текстовые (*.csv *.CSV)" gives "csv"); empty for
// "*.*" and for a filter without patterns.
QString FilterSuffix(const QString& filter);

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
    // With offerForAll, also "Да для всех" and "Нет для всех".
    virtual Answer askYesNoCancel(QWidget* parent, const QString& text, bool offerForAll = false) = 0;
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;
    // The chosen path, empty when the user cancels.
    virtual QString openFileName(QWidget* parent, const FileDialogSpec& spec) = 0;
    virtual QString saveFileName(QWidget* parent, const FileDialogSpec& spec) = 0;
    // A folder to write files into, empty when the user cancels.
    virtual QString folderName(QWidget* parent, const QString& title) = 0;

    // While several windows with unsaved changes close together (exit, "Закрыть все"), the save
    // question offers answers for all of them, and such an answer is given to the rest.
    void beginClosingSeveral() {
        m_closingSeveral = true;
        m_answerForAll = Answer::Cancel;
    }
    void endClosingSeveral() { m_closingSeveral = false; }
    bool closingSeveral() const { return m_closingSeveral; }
    // Yes or No once given for all, Cancel before.
    Answer answerForAll() const { return m_closingSeveral ? m_answerForAll : Answer::Cancel; }
    void setAnswerForAll(Answer answer) { m_answerForAll = answer; }

private:
    bool m_closingSeveral = false;
    Answer m_answerForAll = Answer::Cancel;
};

// Message boxes and the platform's file dialogs.
UserDialogs& PlatformDialogs();

// Whether a window with unsaved changes may close: asks "Сохранить изменения в <caption>?";
// No closes, Cancel keeps the window, Yes saves and closes only when the save was written (so a
// cancelled or failed save never loses the work). While several windows close, an answer for
// all is asked once and given to the rest.
bool ConfirmClose(UserDialogs& dialogs, QWidget* window, const QString& caption,
                  const std::function<bool()>& save);

}  // namespace kargolo
