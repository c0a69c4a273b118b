#pragma once

// TAboutBox: the program's name, purpose and makers. Its upper part alone is the splash at
// start-up; "&About..." shows the whole box with the terms of use and a request for feedback.

#include <QDialog>
#include <QLabel>

namespace kargolo {

// The mail address: a hand cursor, underlined and coloured while the mouse is over it; a click
// opens the mail program.
class AddressLabel : public QLabel {
    Q_OBJECT
public:
    explicit AddressLabel(QWidget* parent = nullptr);

protected:
    void enterEvent(QEnterEvent* event) override;  // AddressMouseMove
    void leaveEvent(QEvent* event) override;       // AddressMouseLeave
    void mousePressEvent(QMouseEvent* event) override;  // AddressClick

private:
    void setHighlighted(bool highlighted);
};

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    // full: the whole box; otherwise the upper part, as the splash shows it.
    explicit TAboutBox(bool full, QWidget* parent = nullptr);
};

constexpr char kProjectAddress[] = "team@kargolo.example";

}  // namespace kargolo
