// The card-back chooser: six back pictures; the chosen one becomes the back
// of every face-down card on the table at once and of every later deal.
#pragma once

#include <QDialog>
#include <QString>

#include "app/settings.h"

class QPushButton;

namespace tav {
class Session;
}

namespace tav::ui {

class ClickLabel;

class CardBackDialog : public QDialog {
    Q_OBJECT
public:
    CardBackDialog(Settings& settings, Session& session, QWidget* parent = nullptr);

    // The back chosen in the dialog ("cards\bgcardN.bmp"), not yet applied.
    QString chosen_back() const { return chosen_back_; }

public slots:
    // Picture p_N clicked (N = 1..6): choose it and offer "应用".
    void picture_clicked(int n);
    // Makes the chosen back the game's and redraws the face-down cards.
    void apply();
    void confirm();

private:
    void mark_chosen();

    Settings& settings_;
    Session& session_;
    QString chosen_back_;
    ClickLabel* pictures_[6] = {};
    QPushButton *confirm_button_, *cancel_button_, *apply_button_;
};

}  // namespace tav::ui
