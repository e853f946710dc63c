// The converter window "DMAIN" on Qt's offscreen platform: its controls and
// their start, the output name, the shared path of the two "参照" dialogs,
// the checks before a conversion and their messages, conversions that match
// the command line byte for byte, the keys, help and the file dialogs.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <sys/wait.h>

#include "../dxfconv/dxf_test_util.h"
#include "../support/qt_test_app.h"
#include "facesmith_dialog.h"
#include "facesmith_files.h"

using namespace quillo;
using quillo::test::TempFolder;
using quillo::test::readFile;
using quillo::test::writeFile;
using testing::EndsWith;

namespace {

QString q(const char* text) { return QString::fromUtf8(text); }

std::string text(QLineEdit* field)
{
    QByteArray bytes = field->text().toUtf8();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

// Answers the "参照" dialogs in order and remembers what each one offered.
class RecordingChooser : public DxfFileChooser {
public:
    struct Call {
        char which; // 'i' input, 'o' output
        std::string offered;
    };
    bool chooseInput(std::string& path) override { return take('i', path); }
    bool chooseOutput(std::string& path) override { return take('o', path); }

    std::deque<std::optional<std::string>> answers; // nullopt: cancel
    std::vector<Call> calls;

private:
    bool take(char which, std::string& path)
    {
        calls.push_back({which, path});
        if (answers.empty()) {
            ADD_FAILURE() << "a file dialog came up with no answer";
            return false;
        }
        std::optional<std::string> a = answers.front();
        answers.pop_front();
        if (!a) return false;
        path = *a;
        return true;
    }
};

// Two triangles that pair into one quadrilateral, and a square.
std::string drawing()
{
    using quillo::test::plainFace;
    return quillo::test::entities(plainFace(1, {0, 0, 0, 2, 0, 0, 2, 1, 1, 2, 1, 1}) +
                                  plainFace(1, {2, 1, 1, 0, 1, 1, 0, 0, 0, 0, 0, 0}) +
                                  plainFace(7, {0, 0, 2, 1, 0, 2, 1, 1, 2, 0, 1, 2}));
}

int runProgram(const std::string& folder, const std::string& args, std::string* errors = nullptr)
{
    std::string errorFile = folder + "/stderr.txt";
    std::string command = "cd '" + folder + "' && QT_QPA_PLATFORM=offscreen '" FACESMITH_PATH "' " + args +
                          " >/dev/null 2>'" + errorFile + "'";
    int raw = std::system(command.c_str());
    if (errors) *errors = readFile(errorFile);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

struct Fixture {
    explicit Fixture(const std::string& commandLine = "") : dialog(commandLine, files) {}
    RecordingChooser files;
    FacesmithDialog dialog;
    QLineEdit* field(int id) { return dialog.edit(id); }
};

} // namespace

TEST(FacesmithDialog, TitleControlsLabelsAndStart)
{
    Fixture f;
    FacesmithDialog& d = f.dialog;
    EXPECT_EQ(d.windowTitle(), q("  ＤＸＦ→ＭＤ４コンバートプログラムＶ０．１Ａ"));
    EXPECT_FALSE(d.windowFlags() & Qt::WindowCloseButtonHint);

    struct Group {
        int id;
        const char* label;
        std::vector<int> frames;
    };
    for (const Group& g : {Group{1, "入力ファイル名", {102, 105}}, Group{2, "出力ファイル名", {103, 106}},
                           Group{5, "表示する面", {110, 111, 109}}, Group{3, "色", {107, 108}},
                           Group{4, "ﾓﾃﾞﾙｻｲｽﾞ(m)", {104}}}) {
        QGroupBox* box = d.group(g.id);
        ASSERT_NE(box, nullptr) << g.id;
        EXPECT_EQ(box->objectName(), QString::number(g.id));
        EXPECT_EQ(box->title(), q(g.label));
        for (int inside : g.frames) {
            QWidget* control = d.findChild<QWidget*>(QString::number(inside));
            ASSERT_NE(control, nullptr) << inside;
            EXPECT_TRUE(box->isAncestorOf(control)) << inside << " in " << g.id;
        }
    }
    struct Button {
        int id;
        const char* label;
    };
    for (const Button& b : {Button{105, "参照"}, Button{106, "参照"}, Button{112, "高速変換"}, Button{100, "変換"},
                            Button{113, "ヘルプ"}, Button{101, "終了"}}) {
        auto* push = qobject_cast<QPushButton*>(d.button(b.id));
        ASSERT_NE(push, nullptr) << b.id;
        EXPECT_EQ(push->text(), q(b.label));
        EXPECT_EQ(push->isDefault(), b.id == 100) << b.id;
    }
    for (const Button& b : {Button{110, "正"}, Button{111, "逆"}}) {
        auto* radio = qobject_cast<QRadioButton*>(d.button(b.id));
        ASSERT_NE(radio, nullptr) << b.id;
        EXPECT_EQ(radio->text(), q(b.label));
        EXPECT_EQ(radio->isChecked(), b.id == 110);
    }
    for (const Button& b : {Button{109, "両面"}, Button{107, "色別グループ化"}, Button{108, "すべて白にする"}}) {
        auto* box = qobject_cast<QCheckBox*>(d.button(b.id));
        ASSERT_NE(box, nullptr) << b.id;
        EXPECT_EQ(box->text(), q(b.label));
        EXPECT_FALSE(box->isChecked());
    }
    // An empty command line leaves both paths empty; the size shows 1.6.
    EXPECT_EQ(text(f.field(102)), "");
    EXPECT_EQ(text(f.field(103)), "");
    EXPECT_EQ(text(f.field(104)), "     1.6");

    ConversionOptions o = d.options(false);
    EXPECT_EQ(o.modelSize, 1.6f);
    EXPECT_FALSE(o.reverse || o.bothSides || o.groupByColour || o.allWhite || o.fast);
    EXPECT_TRUE(d.options(true).fast);
}

// How the output name is derived is checked in test_dxf_dialog_fields.cpp.
TEST(FacesmithDialog, CommandLineFillsInputAndDerivedOutput)
{
    Fixture windows("C:\\work\\house.dxf");
    EXPECT_EQ(text(windows.field(102)), "C:\\work\\house.dxf");
    EXPECT_EQ(text(windows.field(103)), "C:\\work\\house.MD4");
}

TEST(FacesmithDialog, OptionsFollowTheControls)
{
    Fixture f;
    f.field(102)->setText("in.dxf");
    f.field(103)->setText("out.md4");
    f.field(104)->setText(" 16 ");
    for (int id : {111, 109, 107, 108}) f.dialog.button(id)->setChecked(true);
    ConversionOptions o = f.dialog.options(true);
    EXPECT_EQ(o.inputPath, "in.dxf");
    EXPECT_EQ(o.outputPath, "out.md4");
    EXPECT_EQ(o.modelSize, 16.0f);
    EXPECT_TRUE(o.reverse && o.bothSides && o.groupByColour && o.allWhite && o.fast);
    EXPECT_FALSE(f.dialog.button(110)->isChecked()); // the radios exclude each other

    f.dialog.button(110)->click();
    EXPECT_FALSE(f.dialog.options(false).reverse);
    EXPECT_FALSE(f.dialog.button(111)->isChecked());
}

TEST(FacesmithDialog, ChoosingTheInputNamesTheOutputAndBothDialogsShareOnePath)
{
    Fixture f("start.dxf");
    f.files.answers = {std::string("/data/house.DXF"), std::string("/models/house.md4"), std::nullopt,
                       std::string("/data/plain"), std::nullopt};

    ASSERT_TRUE(f.dialog.press(105));
    EXPECT_EQ(text(f.field(102)), "/data/house.DXF");
    EXPECT_EQ(text(f.field(103)), "/data/house.MD4");

    ASSERT_TRUE(f.dialog.press(106)); // offers the input just chosen
    EXPECT_EQ(text(f.field(102)), "/data/house.DXF");
    EXPECT_EQ(text(f.field(103)), "/models/house.md4");

    ASSERT_TRUE(f.dialog.press(105)); // offers the output just chosen; cancelled
    EXPECT_EQ(text(f.field(102)), "/data/house.DXF");
    EXPECT_EQ(text(f.field(103)), "/models/house.md4");
    EXPECT_EQ(f.dialog.sharedPath(), "/models/house.md4");

    ASSERT_TRUE(f.dialog.press(105)); // a name without "." leaves the output alone
    EXPECT_EQ(text(f.field(102)), "/data/plain");
    EXPECT_EQ(text(f.field(103)), "/models/house.md4");

    ASSERT_TRUE(f.dialog.press(106)); // cancelled: nothing changes
    EXPECT_EQ(text(f.field(103)), "/models/house.md4");

    ASSERT_EQ(f.files.calls.size(), 5u);
    const char* which = "ioiio";
    const char* offered[] = {"", "/data/house.DXF", "/models/house.md4", "/models/house.md4", "/data/plain"};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(f.files.calls[i].which, which[i]) << i;
        EXPECT_EQ(f.files.calls[i].offered, offered[i]) << i;
    }
}

TEST(FacesmithDialog, ChecksComeInOrderWithTheirMessagesAndWriteNothing)
{
    TempFolder folder;
    writeFile(folder.file("house.dxf"), drawing());
    writeFile(folder.file("notes.txt"), drawing());
    Fixture f;
    MessageLog log;
    auto convert = [&](const std::string& in, const std::string& out, const char* size = "     1.6") {
        f.field(102)->setText(QString::fromStdString(in));
        f.field(103)->setText(QString::fromStdString(out));
        f.field(104)->setText(size);
        f.dialog.press(100);
    };
    convert(folder.file("missing.dxf"), "a.md"); // both wrong: the input is checked first
    convert(folder.file("house.dxf"), "a.md");
    convert(folder.file("house.dxf"), std::string(261, 'x'));
    convert(folder.file("notes.txt"), folder.file("notes.md4"));
    convert(folder.file("house.dxf"), folder.file("house.md4"), "1,6");
    convert(folder.file("house.dxf"), folder.file("house.md4"), "0");
    std::vector<std::string> expected = {
        "ファイル " + folder.file("missing.dxf") + " が読み込めません",
        "出力ファイルを指定してください",
        "出力ファイルを指定してください",
        "ファイル " + folder.file("notes.txt") + " はＤＸＦファイルではありません",
        "モデルサイズには０より大きい数を指定してください",
        "モデルサイズには０より大きい数を指定してください",
    };
    std::vector<std::string> shown = log.messages;
    ASSERT_EQ(shown.size(), expected.size()) << ::testing::PrintToString(shown);
    EXPECT_EQ(shown, expected);
    EXPECT_FALSE(quillo::test::fileExists(folder.file("notes.md4")));
    EXPECT_FALSE(quillo::test::fileExists(folder.file("house.md4")));
}

TEST(FacesmithDialog, ConvertAndFastConvertWriteWhatTheCommandLineWrites)
{
    TempFolder folder;
    writeFile(folder.file("house.dxf"), drawing());
    Fixture f(folder.file("house.dxf"));
    MessageLog log;

    ASSERT_TRUE(f.dialog.press(100)); // default options, output house.MD4
    ASSERT_EQ(runProgram(folder.path(), "house.dxf cli.md4"), 0);
    EXPECT_EQ(readFile(folder.file("house.MD4")), readFile(folder.file("cli.md4")));

    f.field(103)->setText(QString::fromStdString(folder.file("fast.md4")));
    f.field(104)->setText("16");
    for (int id : {111, 109, 107, 108}) f.dialog.button(id)->click();
    ASSERT_TRUE(f.dialog.press(112));
    ASSERT_EQ(runProgram(folder.path(),
                         "--fast --size 16 --reverse --both-sides --group-by-colour --all-white house.dxf cli_fast.md4"),
              0);
    EXPECT_EQ(readFile(folder.file("fast.md4")), readFile(folder.file("cli_fast.md4")));
    EXPECT_NE(readFile(folder.file("fast.md4")), readFile(folder.file("house.MD4")));

    // 変換 with the same options pairs the two triangles: one face line less.
    f.field(103)->setText(QString::fromStdString(folder.file("paired.md4")));
    ASSERT_TRUE(f.dialog.press(100));
    ASSERT_EQ(runProgram(folder.path(),
                         "--size 16 --reverse --both-sides --group-by-colour --all-white house.dxf cli_paired.md4"),
              0);
    EXPECT_EQ(readFile(folder.file("paired.md4")), readFile(folder.file("cli_paired.md4")));
    EXPECT_NE(readFile(folder.file("paired.md4")), readFile(folder.file("fast.md4")));
    EXPECT_TRUE(log.messages.empty()) << ::testing::PrintToString(log.messages);

    // The fields keep what they held.
    EXPECT_EQ(text(f.field(104)), "16");
    EXPECT_TRUE(f.dialog.button(111)->isChecked());
}

TEST(FacesmithDialog, WaitCursorWhileConvertingButNotOverAMessage)
{
    Fixture f("missing.dxf");
    std::vector<int> during;
    f.dialog.setConverter([&](const ConversionOptions& o) {
        QCursor* c = QApplication::overrideCursor();
        during.push_back(c ? int(c->shape()) : -1);
        return runConversion(o); // shows its message
    });
    struct CursorAtMessage : MessageSink {
        std::vector<int> cursors;
        void error(const std::string&) override
        {
            QCursor* c = QApplication::overrideCursor();
            cursors.push_back(c ? int(c->shape()) : -1);
        }
        bool ask(const std::string&) override { return false; }
    } sink;
    MessageSink* previous = setMessageSink(&sink);
    f.dialog.press(100);
    setMessageSink(previous);
    EXPECT_EQ(during, std::vector<int>{int(Qt::WaitCursor)});
    EXPECT_EQ(sink.cursors, std::vector<int>{-1});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(FacesmithDialog, EnterConvertsWhereverTheFocusIsAndEscapeDoesNothing)
{
    Fixture f("in.dxf");
    std::vector<bool> runs; // fast flag of each conversion
    f.dialog.setConverter([&](const ConversionOptions& o) {
        runs.push_back(o.fast);
        return true;
    });
    f.dialog.show();
    f.dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.dialog));

    f.field(104)->setFocus();
    QTest::keyClick(f.field(104), Qt::Key_Return);
    f.dialog.button(105)->setFocus();
    QTest::keyClick(f.dialog.button(105), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(runs, (std::vector<bool>{false, false}));
    EXPECT_TRUE(f.files.calls.empty()); // not 参照

    QTest::keyClick(f.field(102), Qt::Key_Escape);
    EXPECT_TRUE(f.dialog.isVisible());
    EXPECT_FALSE(f.dialog.close()); // no way out but 終了
    EXPECT_TRUE(f.dialog.isVisible());
    EXPECT_FALSE(f.dialog.ended());

    f.dialog.press(101);
    EXPECT_TRUE(f.dialog.ended());
    EXPECT_FALSE(f.dialog.isVisible());
    EXPECT_EQ(f.dialog.result(), int(QDialog::Accepted));
}

TEST(FacesmithDialog, HelpOpensThePageInDocs)
{
    Fixture f;
    std::vector<QUrl> opened;
    f.dialog.setHelpOpener([&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    MessageLog log;
    f.dialog.press(113);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(opened[0].isLocalFile());
    EXPECT_TRUE(opened[0].toLocalFile().endsWith("docs/facesmith.html"));
    EXPECT_TRUE(QFileInfo(opened[0].toLocalFile()).isFile());
    EXPECT_TRUE(log.messages.empty());

    f.dialog.setHelpOpener([](const QUrl&) { return false; }); // no browser
    f.dialog.press(113);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "ヘルプファイル " + opened[0].toLocalFile().toStdString() + " が開けません");
}

TEST(FacesmithFileDialogs, OpenListsDxfFirstAndTakesAnExistingFile)
{
    TempFolder folder;
    writeFile(folder.file("house.dxf"), drawing());
    QtDxfFileChooser chooser;
    const QStringList filters = {q("ＤＸＦ (*.DXF) (*.DXF)"), q("モデル (*.MD4) (*.md4)")};
    quillo::test::onModal<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->nameFilters(), filters);
        EXPECT_EQ(d->selectedNameFilter(), q("ＤＸＦ (*.DXF)")); // shown without the repeated pattern
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(d->fileMode(), QFileDialog::ExistingFile);
        EXPECT_TRUE(d->testOption(QFileDialog::HideNameFilterDetails));
        EXPECT_EQ(d->directory().absolutePath(), QString::fromStdString(folder.path()));
        d->selectFile("house.dxf");
        static_cast<QDialog*>(d)->accept();
    });
    std::string path = folder.file("earlier.md4"); // offered: its folder
    ASSERT_TRUE(chooser.chooseInput(path));
    EXPECT_EQ(path, folder.file("house.dxf"));

    quillo::test::onModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
    EXPECT_FALSE(chooser.chooseInput(path));
    EXPECT_EQ(path, folder.file("house.dxf"));
}

TEST(FacesmithFileDialogs, SaveListsModelSecondAddsNoExtensionAndAsksBeforeReplacing)
{
    TempFolder folder;
    writeFile(folder.file("model"), "earlier");
    QtDxfFileChooser chooser;
    int asked = 0;
    quillo::test::onModal<QFileDialog>([&](QFileDialog* d) {
        EXPECT_EQ(d->selectedNameFilter(), q("モデル (*.MD4)"));
        EXPECT_EQ(d->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_FALSE(d->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_EQ(d->defaultSuffix(), QString());
        d->selectFile(QString::fromStdString(folder.file("no_folder/out.md4")));
        static_cast<QDialog*>(d)->accept(); // the folder must exist: stays open
        EXPECT_TRUE(d->isVisible());
        d->selectFile(QString::fromStdString(folder.file("model")));
        quillo::test::onModal<QMessageBox>([&](QMessageBox* box) {
            ++asked;
            box->button(QMessageBox::No)->click();
        });
        static_cast<QDialog*>(d)->accept(); // an existing file: asked, refused
        EXPECT_TRUE(d->isVisible());
        quillo::test::onModal<QMessageBox>([&](QMessageBox* box) {
            ++asked;
            box->button(QMessageBox::Yes)->click();
        });
        static_cast<QDialog*>(d)->accept();
    });
    std::string path;
    ASSERT_TRUE(chooser.chooseOutput(path));
    EXPECT_EQ(path, folder.file("model")); // no extension added
    EXPECT_EQ(asked, 2);
}

TEST(FacesmithProgram, ScriptFailureNamesTheLine)
{
    TempFolder folder;
    writeFile(folder.file("bad.fss"), "# nothing wrong here\nset 104 0\ncmd 100\n");
    std::string errors;
    EXPECT_EQ(runProgram(folder.path(), "--script bad.fss house.dxf", &errors), 1);
    // Qt may say something of its own first.
    EXPECT_THAT(errors, EndsWith("facesmith: bad.fss: line 3: unexpected message box: \"ファイル house.dxf が読み込めません\"\n"));

    writeFile(folder.file("verbs.fss"), "verify 103 house.MD4\ncheck 111 on\nverify 110 off\nset 102 x.dxf\n"
                                        "verify 103 house.MD4\nstate\ncmd 101\nstate\n");
    EXPECT_EQ(runProgram(folder.path(), "--script verbs.fss house.dxf", &errors), 1);
    EXPECT_THAT(errors, EndsWith("facesmith: verbs.fss: line 8: the window was closed by 終了 (cmd 101)\n"));

    writeFile(folder.file("unused.fss"), "answer file x.dxf\ncmd 106\nanswer cancel\n");
    EXPECT_EQ(runProgram(folder.path(), "--script unused.fss", &errors), 1);
    EXPECT_THAT(errors, EndsWith("facesmith: unused.fss: line 3: the answer \"cancel\" was not used by the end\n"));

    EXPECT_EQ(runProgram(folder.path(), "--script missing.fss", &errors), 2);
    EXPECT_EQ(runProgram(folder.path(), "--script", &errors), 2);
    EXPECT_NE(errors.find("usage: facesmith"), std::string::npos);
}
