#include "ui/record_window.h"
#include "ui/language.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tav::ui {

RecordWindow::RecordWindow(const GameRecord& record, QWidget* parent) : QDialog(parent), record_(record) {
    setObjectName("w_record");
    setWindowTitle(tx("牌局记录"));
    view_ = new QPlainTextEdit;
    view_->setObjectName("mle_record");
    view_->setReadOnly(true);
    auto* save = new QPushButton(tx("保存(&S)…"));
    save->setObjectName("cb_save");
    auto* close = new QPushButton(tx("关闭"));
    close->setObjectName("cb_close");
    connect(save, &QPushButton::clicked, this, &RecordWindow::save);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(save);
    row->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addLayout(row);
    resize(460, 560);
    refresh();
}

void RecordWindow::refresh() {
    view_->setPlainText(shown(record_.text(note_wording())));
    // The newest lines in sight, as in the note area.
    view_->verticalScrollBar()->setValue(view_->verticalScrollBar()->maximum());
}

QString RecordWindow::text() const { return view_->toPlainText(); }

QString RecordWindow::save_to(const GameRecord& record, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return tx("无法写入文件“%1”：%2").arg(path, file.errorString());
    const std::string text = record.text();  // already UTF-8
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) || !file.flush())
        return tx("写入文件“%1”失败：%2").arg(path, file.errorString());
    return {};
}

void RecordWindow::save() {
    const QString path = QFileDialog::getSaveFileName(this, tx("保存牌局记录"), tx("牌局记录.txt"),
                                                      tx("文本文件 (*.txt);;所有文件 (*)"));
    if (path.isEmpty()) return;
    const QString error = save_to(record_, path);
    if (!error.isEmpty()) QMessageBox::warning(this, tx("提示信息"), error);
}

}  // namespace tav::ui
