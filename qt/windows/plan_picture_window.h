#pragma once

// TPlanPictureWindow: the picture of a plan (SVG text) drawn at its size in a scrolled window,
// saved as PNG or SVG.

#include <QWidget>
#include <string>

#include "qt/windows/user_dialogs.h"

class QSvgRenderer;

namespace kargolo {

class TPlanPictureWindow : public QWidget {
    Q_OBJECT
public:
    // A window captioned "Схема перевозок - <caption>".
    TPlanPictureWindow(const std::string& svg, const QString& caption, UserDialogs& dialogs,
                       QWidget* parent = nullptr);

    // Asks for a file name and writes the picture as PNG or SVG, as its extension says; true
    // when written. A file is replaced only by a complete picture.
    bool SavePicture();
    // The picture drawn on white at its own size.
    QImage image() const;
    const std::string& svg() const { return m_svg; }

private:
    bool writeTo(const QString& path);

    std::string m_svg;
    QString m_caption;  // the task's, which the picture's file is named after
    UserDialogs& m_dialogs;
    QSvgRenderer* m_renderer = nullptr;  // owned by the window
};

}  // namespace kargolo
