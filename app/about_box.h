#pragma once

// TAboutBox: the program's name and purpose; shown for a second as the splash at start-up.

#include <QDialog>

namespace kargolo {

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

}  // namespace kargolo
