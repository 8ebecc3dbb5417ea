#include "ui/card_pictures.h"

#include <QFile>
#include <QImage>
#include <cmath>

#include "tools/cardart/art.h"
#include "ui/resources.h"

namespace tav::ui {
namespace {

constexpr QSize kBitmapSize(cardart::kCardWidth, cardart::kCardHeight);
// More names than the table has pictures means someone asks for nonsense;
// start that size afresh rather than grow without end.
constexpr qsizetype kNamesKept = 256;

// The bitmap as the resources hold it, its rounded corners (palette entry 0,
// pure grey) made transparent.
QImage bitmap(const QString& path) {
    QImage img(path);
    if (img.format() == QImage::Format_Indexed8 && img.colorCount() > 0 && img.color(0) == qRgb(128, 128, 128))
        img.setColor(0, qRgba(0, 0, 0, 0));
    return img;
}

// "cards/hk.bmp" -> "hk"; empty for anything not a card picture.
QString card_stem(const QString& key) {
    const QString dir = QStringLiteral("cards/"), ext = QStringLiteral(".bmp");
    if (!key.startsWith(dir) || !key.endsWith(ext)) return {};
    const QString stem = key.mid(dir.size(), key.size() - dir.size() - ext.size());
    return stem.contains('/') ? QString() : stem;
}

}  // namespace

CardPictures::CardPictures() { ensure_resources(); }

QPixmap CardPictures::picture(const QString& filename, QSize logical, qreal device_pixel_ratio) {
    if (logical.isEmpty()) return {};
    const qreal ratio = device_pixel_ratio > 0 ? device_pixel_ratio : 1.0;
    const QSize pixels(int(std::lround(logical.width() * ratio)), int(std::lround(logical.height() * ratio)));
    const QString key = filename.toLower().replace('\\', '/');
    Size& at = size(pixels, ratio);
    auto it = at.pictures.constFind(key);
    if (it != at.pictures.constEnd()) return *it;

    QPixmap pm;
    const QString path = ":/" + key;
    if (!key.isEmpty() && QFile::exists(path)) {
        if (logical == kBitmapSize && ratio == 1.0) {
            pm = QPixmap::fromImage(bitmap(path));
        } else {
            QImage img = cardart::renderCard(card_stem(key), pixels);
            // A picture the card art does not draw can only be stretched.
            if (img.isNull()) img = bitmap(path).scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            pm = QPixmap::fromImage(img);
            pm.setDevicePixelRatio(ratio);
        }
    }
    if (at.pictures.size() >= kNamesKept) at.pictures.clear();
    at.pictures.insert(key, pm);
    return pm;
}

CardPictures::Size& CardPictures::size(QSize pixels, qreal ratio) {
    for (qsizetype i = 0; i < sizes_.size(); ++i)
        if (sizes_[i].pixels == pixels && sizes_[i].ratio == ratio) {
            if (i > 0) sizes_.move(i, 0);
            return sizes_.first();
        }
    if (sizes_.size() >= kSizesKept) sizes_.removeLast();
    sizes_.prepend(Size{pixels, ratio, {}});
    return sizes_.first();
}

qsizetype CardPictures::count() const {
    qsizetype n = 0;
    for (const Size& s : sizes_) n += s.pictures.size();
    return n;
}

void CardPictures::clear() { sizes_.clear(); }

}  // namespace tav::ui
