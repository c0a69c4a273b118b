#include "qt/windows/user_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

namespace kargolo {
namespace {

const QString kProgramTitle = QStringLiteral("Карголо 2");  // the caption of every message

class MessageBoxDialogs : public UserDialogs {
public:
    void showMessage(QWidget* parent, const QString& text) override {
        QMessageBox::information(parent, kProgramTitle, text);
    }

    Answer askYesNoCancel(QWidget* parent, const QString& text, bool offerForAll) override {
        QMessageBox box(QMessageBox::Question, kProgramTitle, text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
        box.setDefaultButton(QMessageBox::Yes);
        QAbstractButton* yesToAll = nullptr;
        QAbstractButton* noToAll = nullptr;
        if (offerForAll) {
            yesToAll = box.addButton(QStringLiteral("Да для всех"), QMessageBox::YesRole);
            noToAll = box.addButton(QStringLiteral("Нет для всех"), QMessageBox::NoRole);
        }
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        if (clicked != nullptr && clicked == yesToAll) return Answer::YesToAll;
        if (clicked != nullptr && clicked == noToAll) return Answer::NoToAll;
        if (clicked == box.button(QMessageBox::Yes)) return Answer::Yes;
        return clicked == box.button(QMessageBox::No) ? Answer::No : Answer::Cancel;
    }

    bool askYesNo(QWidget* parent, const QString& text) override {
        return QMessageBox::question(parent, kProgramTitle, text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
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
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &spec](const QString& filter) {
            const QString suffix = FilterSuffix(filter);
            dialog.setDefaultSuffix(suffix.isEmpty() ? spec.DefaultSuffix : suffix);
        });
        dialog.selectFile(spec.FileName);
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }

    QString folderName(QWidget* parent, const QString& title) override {
        return QFileDialog::getExistingDirectory(parent, title);
    }
};

}  // namespace

QString FilterSuffix(const QString& filter) {
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.(\\w+)"));
    return firstPattern.match(filter).captured(1);
}

bool ConfirmClose(UserDialogs& dialogs, QWidget* window, const QString& caption,
                  const std::function<bool()>& save) {
    Answer answer = dialogs.answerForAll();
    if (answer == Answer::Cancel) {
        answer = dialogs.askYesNoCancel(window, QStringLiteral("Сохранить изменения в ") + caption + "?",
                                        dialogs.closingSeveral());
    }
    switch (answer) {
        case Answer::YesToAll:
            dialogs.setAnswerForAll(Answer::Yes);
            return save();
        case Answer::NoToAll:
            dialogs.setAnswerForAll(Answer::No);
            return true;
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
