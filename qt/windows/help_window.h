#pragma once

// The program's help: Russian pages compiled into the program, with a contents list, a search
// over the pages' text that marks what it found, and links between the topics. Esc closes it.

#include <QList>
#include <QPair>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace kargolo {

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // The topics of the contents, in order: (title, page).
    static QList<QPair<QString, QString>> topics();
    // The text of a page of the help ("index.html"), empty when there is none.
    static QString pageText(const QString& page);

    void showPage(const QString& page);
    QString currentPage() const;
    // Shows in the list only the topics whose pages contain the text.
    void search(const QString& text);
    int visibleTopicCount() const;
    // Marks every place of the text in the page shown.
    void highlight(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_search = nullptr;  // owned by the Qt parent, as are the widgets below
    QListWidget* m_topics = nullptr;
    QTextBrowser* m_page = nullptr;
};

}  // namespace kargolo
