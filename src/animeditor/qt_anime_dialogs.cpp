#include "qt_anime_dialogs.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/active_guard.h"
#include "platform/qt_dialog_parts.h"
#include "platform/qt_options_dialog.h"
#include "platform/qt_text.h"

namespace quillo {

int QtAnimeDialogs::optionsBox(const OptionsLayout& layout, OptionsValues& values)
{
    ActiveGuard guard(active_);
    OptionsDialog box(layout, values, owner_.data());
    if (box.exec() != QDialog::Accepted) return -1;
    values = box.values();
    return 1;
}

int QtAnimeDialogs::actionBox(std::string& name, std::string& path)
{
    ActiveGuard guard(active_);
    QDialog box(owner_.data());
    prepareDialog(&box, "DACT", "動作設定");
    auto* layout = new QVBoxLayout(&box);
    layout->addWidget(new QLabel(QStringLiteral("動作名"), &box));
    auto* nameField = named(new QLineEdit(toQt(name), &box), 804);
    nameField->setMaxLength(79);
    layout->addWidget(nameField);
    auto* group = new QGroupBox(QStringLiteral("ファイル名"), &box);
    auto* row = new QHBoxLayout(group);
    auto* pathField = named(new QLineEdit(toQt(path), group), 815);
    pathField->setMaxLength(259);
    row->addWidget(pathField);
    QPushButton* browse = makeButton(group, 816, "参照");
    row->addWidget(browse);
    layout->addWidget(group);
    QObject::connect(browse, &QPushButton::clicked, &box, [&] {
        std::string chosen = fromField(pathField->text(), 259);
        if (chooseSaveFile(fileMotion, chosen)) pathField->setText(toQt(chosen));
    });
    layout->addLayout(okCancelRow(&box, "OK", "ｷｬﾝｾﾙ"));
    if (box.exec() != QDialog::Accepted) return -1;
    name = fromField(nameField->text(), 79);
    path = fromField(pathField->text(), 259);
    return 1;
}

} // namespace quillo
