#include "assets/tools/contact_sheet.h"

#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QSettings>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <map>
#include <numbers>
#include <vector>

#include "assets/tools/artwork_manifest.h"

namespace zol {

namespace {

// Colours of the client (0x00BBGGRR values of its settings and status bar,
// written here as RGB).
const QColor kClientBackground(0x09, 0x2A, 0x3A);  // BackgroundColor 0x3A2A09
const QColor kStatusGreen(0x47, 0xB0, 0x63);       // 0x63B047
const QColor kStatusYellow(0xFF, 0xD4, 0x67);      // 0x67D4FF
const QColor kStatusRed(0xFF, 0x67, 0x67);         // 0x6767FF
const QColor kPopupButton(0x9C, 0xAA, 0xC1);       // enabled button 0xC1AA9C
const QColor kDialogFace(0xF0, 0xF0, 0xF0);        // the dialogs' button face
const QColor kLabelText(0xB8, 0xC7, 0xD0);
const QColor kHeadingText(0xFF, 0xFF, 0xFF);

constexpr int kSheetWidth = 1640;
constexpr int kMargin = 24;
constexpr int kGap = 18;
constexpr int kStateGap = 6;
constexpr int kLabelHeight = 18;

QString ToQString(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// One labelled block of the sheet: pictures side by side, a name under them,
// drawn on `backing` when it is valid (for pictures shown in place).
struct Block {
    QString label;
    std::vector<QImage> pictures;
    QColor backing;

    QSize Size() const {
        int width = 0;
        int height = 0;
        for (const QImage& picture : pictures) {
            width += picture.width() + (width > 0 ? kStateGap : 0);
            height = std::max(height, picture.height());
        }
        return {std::max(width, 64) + (backing.isValid() ? 16 : 0),
                height + (backing.isValid() ? 16 : 0) + kLabelHeight};
    }
};

// Lays blocks out left to right in rows, in a growing list of draw steps.
class SheetWriter {
  public:
    SheetWriter() {
        labelFont_.setFamily(QStringLiteral("Open Sans"));
        labelFont_.setPixelSize(12);
        headingFont_.setFamily(QStringLiteral("Open Sans"));
        headingFont_.setPixelSize(20);
        headingFont_.setBold(true);
    }

    void Heading(const QString& text) {
        EndRow();
        y_ += kGap;
        const int height = QFontMetrics(headingFont_).height();
        const int top = y_;
        steps_.push_back([this, text, top, height](QPainter& painter) {
            painter.setFont(headingFont_);
            painter.setPen(kHeadingText);
            painter.drawText(QRect(kMargin, top, kSheetWidth - 2 * kMargin, height),
                             Qt::AlignLeft | Qt::AlignVCenter, text);
        });
        y_ += height + 8;
    }

    void Add(const Block& block) {
        QSize size = block.Size();
        size.setWidth(
            std::max(size.width(), QFontMetrics(labelFont_).horizontalAdvance(block.label)));
        if (x_ > kMargin && x_ + size.width() > kSheetWidth - kMargin) {
            EndRow();
        }
        const QPoint origin(x_, y_);
        steps_.push_back([this, block, origin, size](QPainter& painter) {
            int x = origin.x();
            int top = origin.y();
            if (block.backing.isValid()) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(block.backing);
                painter.drawRoundedRect(QRect(origin, block.Size() - QSize(0, kLabelHeight)), 6, 6);
                x += 8;
                top += 8;
            }
            for (const QImage& picture : block.pictures) {
                painter.drawImage(x, top, picture);
                x += picture.width() + kStateGap;
            }
            painter.setFont(labelFont_);
            painter.setPen(kLabelText);
            painter.drawText(QRect(origin.x(), origin.y() + size.height() - kLabelHeight,
                                   size.width(), kLabelHeight),
                             Qt::AlignLeft | Qt::AlignVCenter, block.label);
        });
        x_ += size.width() + kGap;
        rowHeight_ = std::max(rowHeight_, size.height());
    }

    QImage Finish() {
        EndRow();
        QImage sheet(kSheetWidth, y_ + kMargin, QImage::Format_ARGB32_Premultiplied);
        sheet.fill(kClientBackground);
        QPainter painter(&sheet);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        for (const auto& step : steps_) {
            step(painter);
        }
        painter.end();
        return sheet;
    }

  private:
    void EndRow() {
        if (rowHeight_ > 0) {
            y_ += rowHeight_ + kGap;
        }
        x_ = kMargin;
        rowHeight_ = 0;
    }

    QFont labelFont_;
    QFont headingFont_;
    int x_ = kMargin;
    int y_ = kMargin;
    int rowHeight_ = 0;
    std::vector<std::function<void(QPainter&)>> steps_;
};

QImage LoadPicture(const QDir& folder, const QString& fileName) {
    return QImage(folder.filePath(fileName));
}

// The pictures in the order of the artwork list, which groups them by the
// window that shows them; pictures the list does not name come last.
QStringList PictureOrder(const std::filesystem::path& assetsRoot, const QDir& images) {
    QStringList order;
    std::ifstream list(assetsRoot / "src" / "images.txt");
    for (const ImageArtwork& entry : ParseImageManifest(list).entries) {
        order.append(QString::fromStdString(entry.name) + QStringLiteral(".png"));
    }
    for (const QString& file : images.entryList({QStringLiteral("*.png")}, QDir::Files)) {
        if (!order.contains(file)) {
            order.append(file);
        }
    }
    return order;
}

void AddInterfacePictures(SheetWriter& writer, const std::filesystem::path& assetsRoot,
                          const QDir& images) {
    writer.Heading(QStringLiteral("images/"));
    for (const QString& file : PictureOrder(assetsRoot, images)) {
        const QImage picture = LoadPicture(images, file);
        if (!picture.isNull()) {
            writer.Add({file.chopped(4), {picture}, QColor()});
        }
    }
}

int IconSize(const QString& themeFolder) {
    const QSettings settings(QDir(themeFolder).filePath(QStringLiteral("theme.txt")),
                             QSettings::IniFormat);
    return settings.value(QStringLiteral("Metrics/cxStandard")).toInt();
}

// Groups a theme's files into icons: "name_off.png" with its "_dim" and "_on"
// companions, and single pictures without a state suffix.
void AddTheme(SheetWriter& writer, const QDir& theme) {
    QSettings settings(theme.filePath(QStringLiteral("theme.txt")), QSettings::IniFormat);
    writer.Heading(
        QStringLiteral("%1   icons %2 × %3, cell %4 × %5, state text %6   (off · dim · on)")
            .arg(theme.dirName())
            .arg(settings.value(QStringLiteral("Metrics/cxStandard")).toInt())
            .arg(settings.value(QStringLiteral("Metrics/cyStandard")).toInt())
            .arg(settings.value(QStringLiteral("Metrics/cxCell")).toInt())
            .arg(settings.value(QStringLiteral("Metrics/cyCell")).toInt())
            .arg(settings.value(QStringLiteral("Feature/type")).toInt()));
    const QStringList files = theme.entryList({QStringLiteral("*.png")}, QDir::Files);
    for (const QString& file : files) {
        const QString lower = file.toLower();
        if (lower.endsWith(QStringLiteral("_on.png")) ||
            lower.endsWith(QStringLiteral("_dim.png"))) {
            continue;
        }
        Block block;
        if (lower.endsWith(QStringLiteral("_off.png"))) {
            const QString name = file.chopped(8);
            block.label = name;
            block.pictures.push_back(LoadPicture(theme, file));
            for (const QString& suffix : {QStringLiteral("_dim.png"), QStringLiteral("_on.png")}) {
                const QImage picture = LoadPicture(theme, name.toLower() + suffix);
                if (!picture.isNull()) {
                    block.pictures.push_back(picture);
                }
            }
        } else {
            block.label = file.chopped(4);
            block.pictures.push_back(LoadPicture(theme, file));
        }
        writer.Add(block);
    }
}

// The meter face with the needle, hub and texts that the meter tile draws
// over it: pivot (111, 125), needle 90 long with a 6-pixel half base, hub 20
// across, the number 20 below the pivot and "WATTS" ending 64 below it.
QImage MeterPreview(const QImage& face, double degrees, int watts) {
    QImage preview = face.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (preview.isNull()) {
        return preview;
    }
    const QPointF pivot(111, 125);
    const double radians = degrees * std::numbers::pi / 180.0;
    const QPointF direction(-std::cos(radians), -std::sin(radians));
    const QPointF across(-direction.y(), direction.x());
    QPainter painter(&preview);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF(
        {pivot + 90 * direction, pivot + 6 * across, pivot - 6 * across, pivot + 90 * direction}));
    painter.drawEllipse(pivot, 10, 10);
    QFont font(QStringLiteral("Open Sans"));
    font.setBold(true);
    font.setPixelSize(13);  // 10 points at 96 DPI
    painter.setFont(font);
    painter.setPen(Qt::white);
    const int textWidth = 120;
    painter.drawText(QRectF(pivot.x() - textWidth / 2, pivot.y() + 64 - 20, textWidth, 20),
                     Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("WATTS"));
    font.setPixelSize(21);  // 16 points
    painter.setFont(font);
    painter.setPen(degrees < 121 ? QColor(Qt::white) : degrees < 157 ? kStatusYellow : kStatusRed);
    painter.drawText(QRectF(pivot.x() - textWidth / 2, pivot.y() + 20, textWidth, 30),
                     Qt::AlignHCenter | Qt::AlignTop, QString::number(watts));
    painter.end();
    return preview;
}

// The pictures on the surfaces the client draws them on.
void AddInPlaceViews(SheetWriter& writer, const QDir& images) {
    writer.Heading(QStringLiteral("in place: status bar states, pop-up buttons, dialogs"));
    const QStringList bar = {QStringLiteral("ZOL_icon_yellow_48.png"),
                             QStringLiteral("NavBack.png"),
                             QStringLiteral("NavUp.png"),
                             QStringLiteral("NavDown.png"),
                             QStringLiteral("NavMin.png"),
                             QStringLiteral("NavMax.png"),
                             QStringLiteral("NavExit.png")};
    const std::map<QString, QColor> barColours = {
        {QStringLiteral("status bar: green"), kStatusGreen},
        {QStringLiteral("status bar: yellow"), kStatusYellow},
        {QStringLiteral("status bar: red"), kStatusRed}};
    for (const auto& [label, colour] : barColours) {
        Block block{label, {}, colour};
        for (const QString& file : bar) {
            block.pictures.push_back(LoadPicture(images, file));
        }
        writer.Add(block);
    }
    Block popup{QStringLiteral("pop-up buttons"), {}, kPopupButton};
    for (const QString& file :
         {QStringLiteral("PopupClose.png"), QStringLiteral("up.png"), QStringLiteral("down.png"),
          QStringLiteral("upDisabled.png"), QStringLiteral("downDisabled.png"),
          QStringLiteral("ModeSelected.png"), QStringLiteral("ModeUnselected.png")}) {
        popup.pictures.push_back(LoadPicture(images, file));
    }
    writer.Add(popup);
    Block dialog{QStringLiteral("dialogs"), {}, kDialogFace};
    for (const QString& file :
         {QStringLiteral("ConnectWhite.png"), QStringLiteral("ConnectWorking.png"),
          QStringLiteral("ConnectGreen.png"), QStringLiteral("ConnectYellow.png"),
          QStringLiteral("ConnectRed.png"), QStringLiteral("ZOL_icon_green_48.png"),
          QStringLiteral("ChoiceSelected.png"), QStringLiteral("ChoiceUnselected.png"),
          QStringLiteral("DialogOK.png"), QStringLiteral("DialogCancel.png"),
          QStringLiteral("IconStop.png"), QStringLiteral("IconQuestion.png"),
          QStringLiteral("IconWarning.png"), QStringLiteral("IconInformation.png")}) {
        dialog.pictures.push_back(LoadPicture(images, file));
    }
    writer.Add(dialog);
    const QImage meter = LoadPicture(images, QStringLiteral("Meter.png"));
    writer.Add({QStringLiteral("meter at 60 and 170 degrees"),
                {MeterPreview(meter, 60, 1250), MeterPreview(meter, 170, 4720)},
                QColor(0x12, 0x3A, 0x4E)});
}

}  // namespace

QImage BuildContactSheet(const std::filesystem::path& assetsRoot) {
    SheetWriter writer;
    const QDir images(ToQString(assetsRoot / "images"));
    AddInterfacePictures(writer, assetsRoot, images);
    const QDir themes(ToQString(assetsRoot / "themes"));
    QStringList themeNames = themes.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    // Smallest icons first: "Theme_36_36" before "Theme_110_110".
    std::sort(themeNames.begin(), themeNames.end(), [&themes](const QString& a, const QString& b) {
        return IconSize(themes.filePath(a)) < IconSize(themes.filePath(b));
    });
    for (const QString& name : themeNames) {
        AddTheme(writer, QDir(themes.filePath(name)));
    }
    AddInPlaceViews(writer, images);
    return writer.Finish();
}

}  // namespace zol
