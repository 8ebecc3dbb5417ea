#include "ui/fonts.h"

#include <QApplication>
#include <QFont>
#include <QStringList>

namespace tav::ui {

void install_font_substitutions() {
    QFont::insertSubstitutions("华文行楷", {"LXGW WenKai", "AR PL UKai CN", "Noto Serif CJK SC"});
    QFont::insertSubstitutions("隶书", {"AR PL UKai CN", "LXGW WenKai", "Noto Serif CJK SC"});
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "Noto Sans CJK SC"});
    // Plain Chinese text in Arial labels falls to the simplified-Chinese forms,
    // whatever the locale says.
    QFont::insertSubstitutions("Liberation Sans", {"Noto Sans CJK SC"});
    // Menus, dialogs and buttons in a plain simplified-Chinese face.
    QFont ui_font = QApplication::font();
    ui_font.setFamilies({"Noto Sans CJK SC", "Liberation Sans"});
    QApplication::setFont(ui_font);
}

}  // namespace tav::ui
