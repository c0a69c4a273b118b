#pragma once

// Answers the windows' questions from lists prepared by a test, and records what was asked.

#include <QStringList>

#include "qt/windows/user_dialogs.h"

namespace kargolo::testing {

class ScriptedDialogs : public UserDialogs {
public:
    void showMessage(QWidget*, const QString& text) override { Messages << text; }
    Answer askYesNoCancel(QWidget*, const QString& text, bool offerForAll) override {
        Questions << text;
        OfferedForAll << offerForAll;
        return Answers.isEmpty() ? Answer::Cancel : Answers.takeFirst();
    }
    bool askYesNo(QWidget*, const QString& text) override {
        Questions << text;
        return !Answers.isEmpty() && Answers.takeFirst() == Answer::Yes;
    }
    QString openFileName(QWidget*, const FileDialogSpec& spec) override {
        OpenTitles << spec.Title;
        return OpenPaths.isEmpty() ? QString() : OpenPaths.takeFirst();
    }
    QString saveFileName(QWidget*, const FileDialogSpec& spec) override {
        SaveTitles << spec.Title;
        SaveNames << spec.FileName;
        return SavePaths.isEmpty() ? QString() : SavePaths.takeFirst();
    }

    QString folderName(QWidget*, const QString& title) override {
        FolderTitles << title;
        return FolderPaths.isEmpty() ? QString() : FolderPaths.takeFirst();
    }

    QStringList Messages;
    QList<bool> OfferedForAll;
    QStringList Questions;
    QList<Answer> Answers;
    QStringList OpenTitles;
    QStringList OpenPaths;
    QStringList SaveTitles;
    QStringList SaveNames;
    QStringList SavePaths;
    QStringList FolderTitles;
    QStringList FolderPaths;
};

}  // namespace kargolo::testing
