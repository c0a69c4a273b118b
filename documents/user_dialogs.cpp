#include "documents/user_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace kargolo {
namespace {

class MessageBoxDialogs : public UserDialogs {
public:
    void showMessage(QWidget* parent, const QString& text) override {
        QMessageBox::information(parent, QApplication::applicationName(), text);
    }

    Answer askYesNoCancel(QWidget* parent, const QString& text) override {
        const auto button = QMessageBox::question(
            parent, QApplication::applicationName(), text,
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
        if (button == QMessageBox::Yes) return Answer::Yes;
        return button == QMessageBox::No ? Answer::No : Answer::Cancel;
    }

    bool askYesNo(QWidget* parent, const QString& text) override {
        return QMessageBox::question(parent, QApplication::applicationName(), text,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }

    QString openFileName(QWidget* parent, const FileDialogSpec& spec) override {
        QFileDialog dialog(parent, spec.Title, spec.Folder, spec.Filter);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(spec.DefaultSuffix);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }

    QString saveFileName(QWidget* parent, const FileDialogSpec& spec) override {
        QFileDialog dialog(parent, spec.Title, spec.Folder, spec.Filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(spec.DefaultSuffix);
        dialog.selectFile(spec.FileName);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
};

}  // namespace

bool ConfirmClose(UserDialogs& dialogs, QWidget* window, const QString& caption,
                  const std::function<bool()>& save) {
    switch (dialogs.askYesNoCancel(window, QStringLiteral("Сохранить изменения в ") + caption + "?")) {
        case Answer::No: return true;
        case Answer::Yes: return save();
        case Answer::Cancel: return false;
    }
    return false;
}

UserDialogs& PlatformDialogs() {
    static MessageBoxDialogs dialogs;
    return dialogs;
}

}  // namespace kargolo
