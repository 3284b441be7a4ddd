#include "app/menus.h"

#include "app/command_ids.h"

#include <QCoreApplication>

namespace spectrane {

QAction* addMenuItem(QMenu* menu, int id, const QString& text, bool checkable) {
    if (id == 0 || text.isEmpty()) {
        QAction* separator = menu->addSeparator();
        separator->setData(id);
        return separator;
    }
    QAction* action = menu->addAction(text);
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
        {kPopupSaveBitmap, QT_TRANSLATE_NOOP("BitmapPopup", "ビットマップ画像として保存(&B)")},
        {1001, ""},
        {kPopupLength, QT_TRANSLATE_NOOP("BitmapPopup", "グラデーションの長さの変更(&L)")},
        {kPopupDirection, QT_TRANSLATE_NOOP("BitmapPopup", "グラデーションの方向の変更(&D)")},
        {1004, ""},
        {kPopupTopmost, QT_TRANSLATE_NOOP("BitmapPopup", "最前面ウインドウにする(&W)")},
        {1006, ""},
        {kPopupCancel, QT_TRANSLATE_NOOP("BitmapPopup", "キャンセル(&C)")},
    };
    for (const Item& item : kItems) {
        addMenuItem(menu, item.id, QCoreApplication::translate("BitmapPopup", item.text),
                    item.id == kPopupTopmost);
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
