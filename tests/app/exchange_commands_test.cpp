#include "app/command_ids.h"

#include "app_test_support.h"

#include <QFileDialog>

#include <cstdlib>
#include <tuple>

namespace spectrane {
namespace {

using test::u;

// The real dialog of `kind`, answered as a user would: the filter chosen, the name typed.
// Returns the name it gives and the filters it offered.
std::pair<QString, QStringList> runDialog(FileDialogKind kind, const QString& folder,
                                          const QString& filter, const QString& typed) {
    QStringList offered;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        offered = d->nameFilters();
        if (!filter.isEmpty()) {
            d->selectNameFilter(filter);
            emit d->filterSelected(filter); // what choosing it in the box sends
        }
        if (!typed.isEmpty()) {
            d->selectFile(typed);
        }
        QMetaObject::invokeMethod(d, "accept");
    });
    return {QFileInfo(chooseFileWithDialog(nullptr, kind, folder)).fileName(), offered};
}

// The name a save dialog gives always tells the format: the extension typed when it is one of
// theirs, else the chosen filter's (BMP offered first for bitmaps).
TEST(FileDialogs, OfferTheFormatsAndNameTheChosenOne) {
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    const QString bmp = u("ビットマップ・ファイル(*.bmp)");
    const QString png = u("PNG画像(*.png)");
    const QString ggr = u("GIMPグラデーション(*.ggr)");
    const std::tuple<FileDialogKind, QString, QString, const char*> cases[] = {
        {FileDialogKind::SaveBitmap, {}, {}, "GradationBitMap.bmp"},
        {FileDialogKind::SaveBitmap, png, "pic", "pic.png"},
        {FileDialogKind::SaveBitmap, bmp, "pic.PNG", "pic.PNG"},
        {FileDialogKind::ExportColorTable, {}, {}, "Gradation.css"},
        {FileDialogKind::ExportColorTable, ggr, "sun", "sun.ggr"},
        {FileDialogKind::ExportColorTable, ggr, "sun.png", "sun.png.ggr"}, // a picture: not one
        {FileDialogKind::ExportColorTable, ggr, "sun.SVG", "sun.SVG"},
    };
    for (const auto& [kind, filter, typed, expected] : cases) {
        const auto [chosen, offered] = runDialog(kind, folder, filter, typed);
        EXPECT_EQ(chosen, u(expected)) << typed.toStdString();
        EXPECT_TRUE(kind != FileDialogKind::SaveBitmap || offered.front() == bmp); // BMP first
    }
}

// What the export writes, the import gives back within a level (so both carry the displayed
// colours), saying so, as one undo step; a bad file is refused with the document untouched.
TEST(MainWindow, ExportsAndImports) {
    test::TestApp app;
    AppState& s = app.state();
    MainWindow& w = *app.window;
    app.fileAnswers = {app.path("t.csv")};
    w.dispatchCommand(kCmdExport);
    EXPECT_EQ(app.messages().back().text, u("エクスポートしました: ") + app.path("t.csv"));
    EXPECT_EQ(test::readText(app.file("t.csv")).rfind("dot,r,g,b\n0,", 0), 0u);

    const GradationDocument exported = s.doc;
    app.toolAnswers.push_back([](AppState&) {});
    w.dispatchCommand(kCmdNew);
    const auto fresh = test::controlsOf(s.doc, 0);
    app.fileAnswers = {app.path("t.csv"), app.path("bad.css")};
    w.dispatchCommand(kCmdImport);
    EXPECT_TRUE(app.messages().back().text.startsWith(u("インポートしました: 512 ドット\nR: ")));
    ASSERT_EQ(s.doc.length, exported.length);
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        for (int dot = 0; dot < s.doc.length; ++dot) {
            ASSERT_LE(std::abs(s.doc.colorLine.level(ch, dot) - exported.colorLine.level(ch, dot)),
                      1);
        }
    }
    EXPECT_EQ(findCommandAction(&w, kCmdUndo)->text(), u("元に戻す: インポート(&U)"));
    w.dispatchCommand(kCmdUndo);
    EXPECT_EQ(test::controlsOf(s.doc, 0), fresh);

    test::writeBytes(app.file("bad.css"), {'r', 'e', 'd'});
    w.dispatchCommand(kCmdImport);
    EXPECT_TRUE(app.messages().back().text.startsWith(u("インポートできませんでした。\n")));
    EXPECT_TRUE(app.messages().back().text.contains(QStringLiteral("bad.css")));
    EXPECT_EQ(test::controlsOf(s.doc, 0), fresh);
}

} // namespace
} // namespace spectrane
