// The dialogs of the 联机 menu: opening a table here (the rules, the
// computer's level, the time per decision, the port), joining one (address,
// code, name), and the room where the seats fill until the host starts.
#pragma once

#include <QDialog>

#include "app/settings.h"
#include "net/protocol.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace tav::ui {

class NetTable;

inline constexpr int kDefaultPort = 47061;

// 开一桌: what the table is made with, starting from the rules dialog's choices.
class HostDialog : public QDialog {
    Q_OBJECT
public:
    HostDialog(const Settings& settings, QWidget* parent = nullptr);
    net::Create choice() const;
    quint16 port() const;

private:
    QLineEdit* name_;
    QRadioButton* tributes_;
    QRadioButton* scores_only_;
    QCheckBox* smother_;
    QCheckBox* points_;
    QCheckBox* threes_;
    QRadioButton* classic_;
    QRadioButton* strong_;
    QSpinBox* seconds_;
    QSpinBox* port_;
};

// 加入: where, which table, and under what name; remembered for next time.
class JoinDialog : public QDialog {
    Q_OBJECT
public:
    JoinDialog(const Settings& settings, QWidget* parent = nullptr);
    QString address() const;
    QString code() const;
    QString name() const;

private:
    void check();
    QLineEdit* address_;
    QLineEdit* code_;
    QLineEdit* name_;
    QPushButton* ok_;
};

// The table's room: its address and code, the seats as they fill, 开始 for
// the host. Not modal: it closes itself when the game starts.
class RoomDialog : public QDialog {
    Q_OBJECT
public:
    RoomDialog(NetTable& table, const QStringList& addresses, QWidget* parent = nullptr);

private:
    void refresh();
    NetTable& table_;
    QLabel* code_;
    QLabel* browser_ = nullptr;  // the page's address for friends without the program
    QStringList addresses_;
    QListWidget* seats_;
    QPushButton* move_;
    QPushButton* start_;
};

}  // namespace tav::ui
