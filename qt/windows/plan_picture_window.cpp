#include "qt/windows/plan_picture_window.h"

#include <QBuffer>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QFileInfo>
#include <QImage>
#include <QtMath>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "documents/table_file.h"
#include "qt/windows/window_caption.h"

namespace kargolo {
namespace {

// The picture drawn to fit the view, keeping its proportions, or at its own size.
class PictureView : public QWidget {
public:
    PictureView(QSvgRenderer* renderer, QWidget* parent) : QWidget(parent), m_renderer(renderer) {
        setMinimumSize(160, 100);
    }
    void setNaturalSize(bool natural) {
        m_natural = natural;
        setMinimumSize(natural ? sizeHint() : QSize(160, 100));
        update();
    }
    QSize sizeHint() const override { return m_renderer->defaultSize(); }

protected:
    // A tall picture (a large task) is fitted to the width only, and scrolled.
    void resizeEvent(QResizeEvent*) override {
        if (!m_natural && tall()) setMinimumHeight(qCeil(scaledToWidth(width()).height()));
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        QSizeF size = m_renderer->defaultSize();
        if (!m_natural && tall()) {
            size = scaledToWidth(width());
        } else if (!m_natural) {
            size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
        }
        const double top = std::max(0.0, (height() - size.height()) / 2);
        const QRectF place(QPointF((width() - size.width()) / 2, top), size);
        m_renderer->render(&painter, place);
    }

private:
    bool tall() const { return m_renderer->defaultSize().height() > 3 * m_renderer->defaultSize().width(); }
    QSizeF scaledToWidth(int width) const {
        const QSizeF size = m_renderer->defaultSize();
        const double scale = std::min(1.0, width / size.width());
        return size * scale;
    }

    QSvgRenderer* m_renderer;
    bool m_natural = false;
};

}  // namespace

TPlanPictureWindow::TPlanPictureWindow(const std::string& svg, const QString& caption, UserDialogs& dialogs,
                                       QWidget* parent)
    : QWidget(parent), m_svg(svg), m_caption(caption), m_dialogs(dialogs) {
    setAttribute(Qt::WA_DeleteOnClose);
    SetCaption(this, QStringLiteral("Схема перевозок - ") + caption);
    m_renderer = new QSvgRenderer(QByteArray::fromStdString(m_svg), this);
    auto* picture = new PictureView(m_renderer, this);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(picture);
    scroll->setWidgetResizable(true);
    scroll->setBackgroundRole(QPalette::Base);
    auto* natural = new QCheckBox(QStringLiteral("В &натуральную величину"), this);
    natural->setStatusTip(QStringLiteral("Показать схему в ее размере, с прокруткой, а не по размеру окна"));
    connect(natural, &QCheckBox::toggled, picture, [picture, scroll](bool on) {
        picture->setNaturalSize(on);
        scroll->setWidgetResizable(!on);
        if (on) picture->resize(picture->sizeHint());
    });
    auto* save = new QPushButton(QStringLiteral("Со&хранить как PNG или SVG..."), this);
    save->setStatusTip(QStringLiteral("Сохранить схему перевозок рисунком PNG или SVG"));
    connect(save, &QPushButton::clicked, this, &TPlanPictureWindow::SavePicture);
    auto* commands = new QHBoxLayout;
    commands->addWidget(save);
    commands->addWidget(natural);
    commands->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(scroll, 1);
    layout->addLayout(commands);
    const QSize size = m_renderer->defaultSize();
    resize(std::min(size.width() + 40, 900), std::min(size.height() + 80, 700));
}

QImage TPlanPictureWindow::image() const {
    QImage image(m_renderer->defaultSize(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    m_renderer->render(&painter);
    return image;
}

bool TPlanPictureWindow::SavePicture() {
    // Pictures of one session go to one folder: the dialog starts where the last one went.
    static QString lastFolder;
    const FileDialogSpec spec{QStringLiteral("Сохранить схему перевозок"), lastFolder,
                              QFileInfo(m_caption).completeBaseName() + QStringLiteral(".png"), QStringLiteral("png"),
                              QStringLiteral("Рисунок PNG (*.png);;Рисунок SVG (*.svg)")};
    const QString path = m_dialogs.saveFileName(this, spec);
    if (path.isEmpty()) return false;
    if (writeTo(path)) {
        lastFolder = QFileInfo(path).absolutePath();
        return true;
    }
    m_dialogs.showMessage(this, QStringLiteral("Ошибка создания выходного файла."));
    return false;
}

bool TPlanPictureWindow::writeTo(const QString& path) {
    QByteArray bytes;
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        bytes = QByteArray::fromStdString(m_svg);
    } else {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image().save(&buffer, "PNG")) return false;
    }
    const std::filesystem::path target(path.toStdU16String());
    return WriteTaskBytes(target, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))).Ok();
}

}  // namespace kargolo
