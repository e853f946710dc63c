#include "facesmith_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dxfconv/dxf_dialog_fields.h"
#include "facesmith_files.h"
#include "model/messages.h"
#include "platform/qt_text.h"

namespace quillo {

namespace {


template <class Control>
Control* named(Control* control, int id)
{
    control->setObjectName(controlName(id));
    return control;
}

// The wait cursor while a conversion runs. A message box that comes up
// meanwhile shows the ordinary arrow: the user has to aim at its button.
class WaitCursor : public MessageSink {
public:
    WaitCursor() : previous_(setMessageSink(this)) { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() override
    {
        QApplication::restoreOverrideCursor();
        setMessageSink(previous_);
    }
    void error(const std::string& text) override
    {
        QApplication::restoreOverrideCursor();
        previous_->error(text);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    bool ask(const std::string& text) override
    {
        QApplication::restoreOverrideCursor();
        bool yes = previous_->ask(text);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return yes;
    }

private:
    MessageSink* previous_;
};

} // namespace

FacesmithDialog::FacesmithDialog(const std::string& commandLine, DxfFileChooser& files, QWidget* parent)
    : QDialog(parent), files_(files), convert_(runConversion),
      openHelpPage_(desktopHelpOpener())
{
    setObjectName("DMAIN");
    setWindowTitle(QString::fromUtf8(dmainTitle));
    // No close box: the window is left through "終了" only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    auto pathRow = [&](int groupId, const char* label, int editId, int buttonId) {
        auto* box = named(new QGroupBox(QString::fromUtf8(label), this), groupId);
        auto* row = new QHBoxLayout(box);
        auto* field = named(new QLineEdit(box), editId);
        field->setMinimumWidth(320);
        auto* choose = named(new QPushButton(QString::fromUtf8("参照"), box), buttonId);
        choose->setAutoDefault(false); // Enter means "変換" here too
        row->addWidget(field, 1);
        row->addWidget(choose);
        return box;
    };
    QGroupBox* inputBox = pathRow(dmainInputGroup, "入力ファイル名", dmainInputPath, dmainChooseInput);
    QGroupBox* outputBox = pathRow(dmainOutputGroup, "出力ファイル名", dmainOutputPath, dmainChooseOutput);

    auto* facesBox = named(new QGroupBox(QString::fromUtf8("表示する面"), this), dmainFacesGroup);
    auto* facesLayout = new QVBoxLayout(facesBox);
    auto* front = named(new QRadioButton(QString::fromUtf8("正"), facesBox), dmainFront);
    auto* back = named(new QRadioButton(QString::fromUtf8("逆"), facesBox), dmainReverse);
    auto* bothSides = named(new QCheckBox(QString::fromUtf8("両面"), facesBox), dmainBothSides);
    front->setChecked(true);
    facesLayout->addWidget(front);
    facesLayout->addWidget(back);
    facesLayout->addWidget(bothSides);

    auto* colourBox = named(new QGroupBox(QString::fromUtf8("色"), this), dmainColourGroup);
    auto* colourLayout = new QVBoxLayout(colourBox);
    colourLayout->addWidget(named(new QCheckBox(QString::fromUtf8("色別グループ化"), colourBox), dmainGroupByColour));
    colourLayout->addWidget(named(new QCheckBox(QString::fromUtf8("すべて白にする"), colourBox), dmainAllWhite));
    colourLayout->addStretch(1);

    auto* sizeBox = named(new QGroupBox(QString::fromUtf8("ﾓﾃﾞﾙｻｲｽﾞ(m)"), this), dmainSizeGroup);
    auto* sizeLayout = new QVBoxLayout(sizeBox);
    auto* size = named(new QLineEdit(toQt(formatSizeField(1.6f)), sizeBox), dmainModelSize);
    sizeLayout->addWidget(size);
    sizeLayout->addStretch(1);

    auto* buttons = new QVBoxLayout;
    auto addButton = [&](int id, const char* label) {
        auto* b = named(new QPushButton(QString::fromUtf8(label), this), id);
        // Enter always means "変換", whichever button has the focus.
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    QPushButton* fast = addButton(dmainFastConvert, "高速変換");
    QPushButton* convert = addButton(dmainConvert, "変換");
    convert->setDefault(true);
    QPushButton* help = addButton(dmainHelp, "ヘルプ");
    QPushButton* quit = addButton(dmainQuit, "終了");
    buttons->addStretch(1);

    auto* options = new QHBoxLayout;
    options->addWidget(facesBox);
    options->addWidget(colourBox);
    options->addWidget(sizeBox);
    auto* left = new QVBoxLayout;
    left->addWidget(inputBox);
    left->addWidget(outputBox);
    left->addLayout(options);
    auto* whole = new QHBoxLayout(this);
    whole->addLayout(left, 1);
    whole->addLayout(buttons);

    connect(button(dmainChooseInput), &QAbstractButton::clicked, this, &FacesmithDialog::chooseInput);
    connect(button(dmainChooseOutput), &QAbstractButton::clicked, this, &FacesmithDialog::chooseOutput);
    connect(convert, &QAbstractButton::clicked, this, [this] { this->convert(false); });
    connect(fast, &QAbstractButton::clicked, this, [this] { this->convert(true); });
    connect(help, &QAbstractButton::clicked, this, &FacesmithDialog::openHelp);
    connect(quit, &QAbstractButton::clicked, this, &FacesmithDialog::quit);

    // Start-up: the command line's text is the input, and names the output.
    edit(dmainInputPath)->setText(toQt(commandLine));
    edit(dmainOutputPath)->setText(toQt(startupOutputName(commandLine)));
    edit(dmainInputPath)->setFocus();
}

QAbstractButton* FacesmithDialog::button(int id) const { return findChild<QAbstractButton*>(controlName(id)); }
QLineEdit* FacesmithDialog::edit(int id) const { return findChild<QLineEdit*>(controlName(id)); }
QGroupBox* FacesmithDialog::group(int id) const { return findChild<QGroupBox*>(controlName(id)); }

bool FacesmithDialog::press(int id)
{
    QAbstractButton* b = button(id);
    if (!b || !b->isEnabled()) return false;
    b->click();
    return true;
}

ConversionOptions FacesmithDialog::options(bool fast) const
{
    ConversionOptions o;
    o.inputPath = fromQt(edit(dmainInputPath)->text());
    o.outputPath = fromQt(edit(dmainOutputPath)->text());
    o.modelSize = parseSizeField(fromQt(edit(dmainModelSize)->text()));
    o.reverse = !button(dmainFront)->isChecked();
    o.bothSides = button(dmainBothSides)->isChecked();
    o.groupByColour = button(dmainGroupByColour)->isChecked();
    o.allWhite = button(dmainAllWhite)->isChecked();
    o.fast = fast;
    return o;
}

void FacesmithDialog::chooseInput()
{
    std::string path = sharedPath_;
    if (!files_.chooseInput(path)) return;
    sharedPath_ = path;
    edit(dmainInputPath)->setText(toQt(path));
    std::string output;
    if (outputNameForChosenInput(path, output)) edit(dmainOutputPath)->setText(toQt(output));
}

void FacesmithDialog::chooseOutput()
{
    std::string path = sharedPath_;
    if (!files_.chooseOutput(path)) return;
    sharedPath_ = path;
    edit(dmainOutputPath)->setText(toQt(path));
}

void FacesmithDialog::convert(bool fast)
{
    const ConversionOptions o = options(fast);
    WaitCursor wait;
    convert_(o);
}

void FacesmithDialog::openHelp() { openHelpPage("facesmith.html", openHelpPage_); }

void FacesmithDialog::quit()
{
    ended_ = true;
    done(QDialog::Accepted);
}

void FacesmithDialog::closeEvent(QCloseEvent* event)
{
    if (ended_)
        event->accept();
    else
        event->ignore();
}

// Escape (and anything else that would cancel the dialog) does nothing.
void FacesmithDialog::reject() {}

} // namespace quillo
