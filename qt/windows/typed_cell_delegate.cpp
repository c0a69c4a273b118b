#include "qt/windows/typed_cell_delegate.h"

#include <QLineEdit>
#include <QToolTip>
#include <QValidator>

#include "documents/document_texts.h"

namespace kargolo {
namespace {

class TypedTextValidator : public QValidator {
public:
    TypedTextValidator(std::function<TypedText(std::string_view)> check, QLineEdit* editor)
        : QValidator(editor), m_check(std::move(check)), m_editor(editor) {}

    State validate(QString& input, int&) const override {
        switch (m_check(input.toStdString())) {
            case TypedText::Complete:
                return Acceptable;
            case TypedText::Partial:
                return Intermediate;
            case TypedText::TooLarge:
                QToolTip::showText(m_editor->mapToGlobal(QPoint(0, m_editor->height())),
                                   QString::fromUtf8(kNumberTooLarge), m_editor);
                return Invalid;
            case TypedText::Refused:
                break;
        }
        return Invalid;
    }

private:
    std::function<TypedText(std::string_view)> m_check;
    QLineEdit* m_editor;
};

}  // namespace

TypedCellDelegate::TypedCellDelegate(Check check, QObject* parent)
    : QStyledItemDelegate(parent), m_check(std::move(check)) {}

QWidget* TypedCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        const QPersistentModelIndex cell(index);
        line->setValidator(new TypedTextValidator(
            [check = m_check, cell](std::string_view text) { return check(cell, text); }, line));
    }
    return editor;
}

}  // namespace kargolo
