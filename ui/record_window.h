// "牌局记录": every note line of the game, grouped by deal under the deal's
// number, in a window of its own beside the table; it can be saved as a
// UTF-8 text file.
#pragma once

#include <QDialog>
#include <QString>

#include "store/game_record.h"

class QPlainTextEdit;

namespace tav::ui {

class RecordWindow : public QDialog {
    Q_OBJECT
public:
    RecordWindow(const GameRecord& record, QWidget* parent = nullptr);
    // Shows the record as it stands now.
    void refresh();
    QString text() const;
    // Writes the record to `path` as UTF-8; an empty string when it was
    // written, else what went wrong.
    static QString save_to(const GameRecord& record, const QString& path);

private:
    void save();
    const GameRecord& record_;
    QPlainTextEdit* view_;
};

}  // namespace tav::ui
