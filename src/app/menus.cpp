#include "app/menus.h"

#include "app/command_ids.h"

namespace spectrane {

namespace {

struct Item {
    int id; // 0 = separator
    const char* text;
    bool checkable;
};

void addItems(QMenu* menu, std::initializer_list<Item> items) {
    for (const Item& item : items) {
        if (item.id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        action->setData(item.id);
        action->setObjectName(QStringLiteral("cmd%1").arg(item.id));
        action->setCheckable(item.checkable);
    }
}

} // namespace

void buildMainMenu(QMenuBar* bar) {
    QMenu* file = bar->addMenu(QString::fromUtf8("ファイル(&F)"));
    addItems(file, {{kCmdNew, "新規作成(&N)", false},
                    {kCmdOpen, "ラインデータ・ファイルを開く(&O)", false},
                    {kCmdSave, "ラインデータの保存(&S)", false},
                    {0, "", false},
                    {kCmdSaveBitmap, "ビットマップ画像として保存(&B)", false},
                    {0, "", false},
                    {kCmdExit, "終了(&X)", false}});
    QMenu* edit = bar->addMenu(QString::fromUtf8("編集(&E)"));
    addItems(edit, {{kCmdLength, "グラデーションの長さの変更(&L)", false},
                    {kCmdDirection, "グラデーションの方向の変更(&D)", false}});
    QMenu* view = bar->addMenu(QString::fromUtf8("表示(&V)"));
    addItems(view, {{kCmdTitleWindow, "タイトルウインドウの表示(&T)", true},
                    {kCmdBitmapWindow, "ビットマップ・ウインドウの表示(&B)", true},
                    {kCmdTopmost, "ビットマップ・ウインドウを常に最前面にする(&W)", true}});
    QMenu* settings = bar->addMenu(QString::fromUtf8("設定(&S)"));
    addItems(settings, {{kCmdPointPositions, "ポイント位置の表示(&P)", true},
                        {kCmdLoop, "グラデーションのループ(&L)", true},
                        {kCmdCmy, "CMY (減法混合) モード(&C)", true},
                        {kCmdSynchro, "シンクロ・モード(&S)", true}});
    QMenu* help = bar->addMenu(QString::fromUtf8("ヘルプ(&H)"));
    addItems(help, {{kCmdAbout, "バージョン情報(&A)", false}});
}

void buildBitmapPopupMenu(QMenu* menu) {
    addItems(menu, {{kPopupSaveBitmap, "ビットマップ画像として保存(&B)", false},
                    {0, "", false},
                    {kPopupLength, "グラデーションの長さの変更(&L)", false},
                    {kPopupDirection, "グラデーションの方向の変更(&D)", false},
                    {0, "", false},
                    {kPopupTopmost, "最前面ウインドウにする(&W)", true},
                    {0, "", false},
                    {kPopupCancel, "キャンセル(&C)", false}});
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
