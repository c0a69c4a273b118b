#pragma once

// The in-place editor of a grid cell, which takes only what can become the cell's value: a
// keystroke that `check` refuses does not change the text, and digits beyond the 32-bit range
// are refused with a note by the cell.

#include <QStyledItemDelegate>

#include <functional>
#include <string_view>

#include "documents/text_numbers.h"

namespace kargolo {

class TypedCellDelegate : public QStyledItemDelegate {
public:
    using Check = std::function<TypedText(const QModelIndex& index, std::string_view text)>;

    TypedCellDelegate(Check check, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    Check m_check;
};

}  // namespace kargolo
