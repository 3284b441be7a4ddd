#include "app/menus.h"

#include "app/command_ids.h"

namespace spectrane {

QAction* addMenuItem(QMenu* menu, int id, const char* text, bool checkable) {
    if (id == 0 || *text == '\0') {
        QAction* separator = menu->addSeparator();
        separator->setData(id);
        return separator;
    }
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setData(id);
    action->setObjectName(QStringLiteral("cmd%1").arg(id));
    action->setCheckable(checkable);
    return action;
}

void buildBitmapPopupMenu(QMenu* menu) {
    struct Item {
        int id;
        const char* text;
    };
    static constexpr Item kItems[] = {
        {kPopupSaveBitmap, "ビットマップ画像として保存(&B)"},
        {1001, ""},
        {kPopupLength, "グラデーションの長さの変更(&L)"},
        {kPopupDirection, "グラデーションの方向の変更(&D)"},
        {1004, ""},
        {kPopupTopmost, "最前面ウインドウにする(&W)"},
        {1006, ""},
        {kPopupCancel, "キャンセル(&C)"},
    };
    for (const Item& item : kItems) {
        addMenuItem(menu, item.id, item.text, item.id == kPopupTopmost);
    }
}

QAction* findCommandAction(const QWidget* root, int id) {
    for (QAction* action : root->findChildren<QAction*>()) {
        if (!action->isSeparator() && action->data().toInt() == id) {
            return action;
        }
    }
    return nullptr;
}

void setMenuCheck(const QWidget* root, int id, bool checked) {
    if (QAction* action = findCommandAction(root, id)) {
        action->setChecked(checked);
    }
}

} // namespace spectrane
