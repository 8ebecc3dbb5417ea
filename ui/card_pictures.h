// The card pictures of the table. At the game's own size (71 x 96 pixels on
// a screen of pixel ratio 1) a card is the bitmap from the resources, as the
// game always drew it; at any other size or pixel ratio it is drawn afresh by
// the card art at the screen's own pixels, so it stays sharp.
#pragma once

#include <QHash>
#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace tav::ui {

class CardPictures {
public:
    CardPictures();

    // The picture of `filename` as the table writes it ("cards\hK.bmp",
    // "cards\bgcard4.bmp"), found without regard to case, to be drawn on
    // `logical` pixels of a screen with `device_pixel_ratio` device pixels to
    // one; it carries that ratio. A null pixmap for an unknown name or an
    // empty size.
    QPixmap picture(const QString& filename, QSize logical, qreal device_pixel_ratio);

    // Pictures held; a table shows one card size at a time, so only the few
    // sizes last asked for are kept.
    qsizetype count() const;
    void clear();

    static constexpr int kSizesKept = 4;

private:
    // All the pictures at one size.
    struct Size {
        QSize pixels;
        qreal ratio = 1;
        QHash<QString, QPixmap> pictures;  // by file name in lower case with '/'
    };
    Size& size(QSize pixels, qreal ratio);
    QList<Size> sizes_;  // the one asked for last first
};

}  // namespace tav::ui
