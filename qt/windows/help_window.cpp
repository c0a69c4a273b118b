#include "qt/windows/help_window.h"

#include <QFile>
#include <QShortcut>
#include <QTextDocumentFragment>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QSplitter>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kargolo {

QList<QPair<QString, QString>> THelpWindow::topics() {
    return {
        {QStringLiteral("Содержание"), QStringLiteral("index.html")},
        {QStringLiteral("Транспортная задача"), QStringLiteral("problem.html")},
        {QStringLiteral("Обозначения"), QStringLiteral("notation.html")},
        {QStringLiteral("Правило северо-западного угла"), QStringLiteral("northwest.html")},
        {QStringLiteral("Правило минимального элемента"), QStringLiteral("minimum.html")},
        {QStringLiteral("Метод Фогеля"), QStringLiteral("vogel.html")},
        {QStringLiteral("Метод двойного предпочтения"), QStringLiteral("double.html")},
        {QStringLiteral("Метод потенциалов"), QStringLiteral("potentials.html")},
        {QStringLiteral("Распределительный метод"), QStringLiteral("distributive.html")},
        {QStringLiteral("Вырожденность и базисные нули"), QStringLiteral("degeneracy.html")},
        {QStringLiteral("Задачи с ограничениями"), QStringLiteral("limits.html")},
        {QStringLiteral("Приложения транспортной задачи"), QStringLiteral("applications.html")},
        {QStringLiteral("Работа с программой"), QStringLiteral("usage.html")},
    };
}

QString THelpWindow::pageText(const QString& page) {
    QFile file(QStringLiteral(":/help/") + page);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("Карголо 2.0 - справка"));
    resize(900, 600);
    m_search = new QLineEdit(this);
    m_search->setPlaceholderText(QStringLiteral("Поиск"));
    m_topics = new QListWidget(this);
    for (const auto& [title, page] : topics()) {
        auto* item = new QListWidgetItem(title, m_topics);
        item->setData(Qt::UserRole, page);
    }
    m_page = new QTextBrowser(this);
    m_page->setSearchPaths({QStringLiteral(":/help")});
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_search);
    leftLayout->addWidget(m_topics);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(m_page);
    splitter->setStretchFactor(1, 3);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);
    connect(m_topics, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    connect(m_topics, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { showPage(item->data(Qt::UserRole).toString()); });
    connect(m_search, &QLineEdit::textChanged, this, &THelpWindow::search);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    showPage(QStringLiteral("index.html"));
}

// Each showing starts in the search field, its last text selected for a new one.
void THelpWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    m_search->setFocus();
    m_search->selectAll();
}

void THelpWindow::showPage(const QString& page) {
    m_page->setSource(QUrl(page));
    highlight(m_search->text());
}

QString THelpWindow::currentPage() const { return m_page->source().fileName(); }

// Words are sought in the text a reader sees, not in the markup.
void THelpWindow::search(const QString& text) {
    for (int row = 0; row < m_topics->count(); ++row) {
        QListWidgetItem* item = m_topics->item(row);
        const QString page = item->data(Qt::UserRole).toString();
        const QString seen = QTextDocumentFragment::fromHtml(pageText(page)).toPlainText();
        item->setHidden(!text.isEmpty() && !seen.contains(text, Qt::CaseInsensitive));
    }
    highlight(text);
}

// Every place of the text in the page shown, marked, the first one brought into view.
void THelpWindow::highlight(const QString& text) {
    QList<QTextEdit::ExtraSelection> marks;
    if (!text.isEmpty()) {
        QTextCharFormat mark;
        mark.setBackground(QColor(0xFF, 0xE0, 0x66));
        for (QTextCursor found = m_page->document()->find(text); !found.isNull();
             found = m_page->document()->find(text, found)) {
            marks.append({found, mark});
        }
    }
    m_page->setExtraSelections(marks);
    if (!marks.isEmpty()) {
        QTextCursor first = marks.first().cursor;
        first.clearSelection();
        m_page->setTextCursor(first);
        m_page->ensureCursorVisible();
    }
}

int THelpWindow::visibleTopicCount() const {
    int visible = 0;
    for (int row = 0; row < m_topics->count(); ++row) visible += m_topics->item(row)->isHidden() ? 0 : 1;
    return visible;
}

}  // namespace kargolo
