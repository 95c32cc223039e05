#include "PrintSetupDialog.h"

#include "DialogButtonRow.h"
#include "PrintLogo.h"
#include "Prompts.h"
#include "RememberedPlacement.h"
#include "UiText.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pelmora::ui {

namespace {

constexpr int kPreviewSide = 96;
constexpr int kIconSide = 32;

QString qtText(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QCheckBox* checkBox(QWidget* parent, const char* number, int caption) {
    auto* box = new QCheckBox(text(caption), parent);
    box->setObjectName(QLatin1String(number));
    return box;
}

} // namespace

QString logoFilter(const QString& caption, const std::u16string& patterns) {
    QStringList list = qtText(patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& pattern : list) {
        pattern = pattern.trimmed();
    }
    for (const char* extra : {"*.png", "*.svg"}) {
        if (!list.contains(QLatin1String(extra), Qt::CaseInsensitive)) {
            list << QLatin1String(extra);
        }
    }
    return caption + QStringLiteral(" (") + list.join(QLatin1Char(' ')) + QLatin1Char(')');
}

PrintSetupDialog::PrintSetupDialog(velmet::Settings& settings, const QIcon& kindIcon,
                                   const QImage& programIcon, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_programIcon(programIcon) {
    setObjectName(QStringLiteral("112"));
    setWindowTitle(text(144));
    setUpControls(kindIcon);
    fillFromSettings();
    new RememberedPlacement(this, m_settings, velmet::WindowKey::Print);
}

void PrintSetupDialog::setUpControls(const QIcon& kindIcon) {
    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("1073"));
    icon->setPixmap(kindIcon.pixmap(kIconSide, kIconSide));
    icon->setFixedSize(kIconSide, kIconSide);

    m_source = checkBox(this, "1131", 125);
    m_programName = checkBox(this, "1132", 126);
    m_dateTime = checkBox(this, "1133", 127);
    m_pageNumbers = checkBox(this, "1134", 128);
    m_title = checkBox(this, "1136", 129);
    m_titleEdit = new QLineEdit(this);
    m_titleEdit->setObjectName(QStringLiteral("1139"));
    m_titleEdit->setMaxLength(static_cast<int>(print::kMaxTitleLength));
    m_logo = checkBox(this, "1137", 130);
    m_logoEdit = new QLineEdit(this);
    m_logoEdit->setObjectName(QStringLiteral("1141"));
    m_logoEdit->setReadOnly(true);
    auto* browseButton = new QPushButton(text(124), this);
    browseButton->setObjectName(QStringLiteral("1140"));
    browseButton->setAutoDefault(false);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("1114"));
    m_preview->setFixedSize(kPreviewSide, kPreviewSide);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);

    auto* options = new QVBoxLayout;
    for (QCheckBox* box : {m_source, m_programName, m_dateTime, m_pageNumbers}) {
        options->addWidget(box);
    }
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(options, 1);
    top->addWidget(m_preview, 0, Qt::AlignTop);

    auto* fields = new QGridLayout;
    fields->addWidget(m_title, 0, 0);
    fields->addWidget(m_titleEdit, 0, 1, 1, 2);
    fields->addWidget(m_logo, 1, 0);
    fields->addWidget(m_logoEdit, 1, 1);
    fields->addWidget(browseButton, 1, 2);
    fields->setColumnStretch(1, 1);

    auto* buttons = new DialogButtonRow;
    QPushButton* ok = buttons->add("1", 196);
    buttons->addCancel(this);
    m_apply = buttons->add("1042", 94);
    ok->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setMinimumWidth(fontMetrics().averageCharWidth() * 60);

    for (QCheckBox* box : {m_source, m_programName, m_dateTime, m_pageNumbers, m_title, m_logo}) {
        connect(box, &QCheckBox::toggled, this, &PrintSetupDialog::optionChanged);
    }
    connect(m_titleEdit, &QLineEdit::textEdited, this, &PrintSetupDialog::optionChanged);
    connect(m_title, &QCheckBox::toggled, this, &PrintSetupDialog::titleToggled);
    connect(m_logo, &QCheckBox::toggled, this, &PrintSetupDialog::logoToggled);
    connect(browseButton, &QPushButton::clicked, this, &PrintSetupDialog::browse);
    connect(m_apply, &QPushButton::clicked, this, &PrintSetupDialog::apply);
    connect(ok, &QPushButton::clicked, this, [this] {
        apply();
        accept();
    });
}

void PrintSetupDialog::fillFromSettings() {
    const print::PrintOptions options = print::printOptions(m_settings);
    m_source->setChecked(options.sourceName);
    m_programName->setChecked(options.programName);
    m_dateTime->setChecked(options.dateTime);
    m_pageNumbers->setChecked(options.pageNumbers);
    m_title->setChecked(!options.title.empty());
    m_titleEdit->setText(qtText(options.title));
    m_titleEdit->setEnabled(m_title->isChecked());
    m_logo->setChecked(!options.logo.empty());
    m_logoEdit->setText(qtText(options.logo));
    refreshPreview();
    m_apply->setEnabled(false);
}

void PrintSetupDialog::optionChanged() {
    m_apply->setEnabled(true);
}

void PrintSetupDialog::titleToggled(bool checked) {
    m_titleEdit->setEnabled(checked);
}

void PrintSetupDialog::logoToggled(bool checked) {
    if (checked) {
        m_logoEdit->setText(logoPath());
    }
    refreshPreview();
}

void PrintSetupDialog::browse() {
    FileChoice choice;
    choice.caption = text(123);
    choice.folder = m_logoEdit->text();
    choice.filter = logoFilter(text(122), m_settings.imageExtensions);
    const QString chosen = Prompts::openFile(this, choice);
    if (chosen.isEmpty()) {
        return;
    }
    m_logoEdit->setText(chosen);
    // A logo just chosen is one to print.
    m_logo->setChecked(true);
    m_apply->setEnabled(true);
    refreshPreview();
}

void PrintSetupDialog::refreshPreview() {
    const QImage logo = m_logo->isChecked() ? print::loadLogo(logoPath(), m_programIcon) : QImage();
    if (logo.isNull()) {
        m_preview->clear();
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(
        logo.width() > kPreviewSide || logo.height() > kPreviewSide
            ? logo.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : logo));
}

QString PrintSetupDialog::logoPath() const {
    const QString path = m_logoEdit->text();
    return path.isEmpty() ? print::programLogoPath() : path;
}

print::PrintOptions PrintSetupDialog::chosenOptions() const {
    print::PrintOptions options;
    options.sourceName = m_source->isChecked();
    options.programName = m_programName->isChecked();
    options.dateTime = m_dateTime->isChecked();
    options.pageNumbers = m_pageNumbers->isChecked();
    if (m_title->isChecked()) {
        options.title = m_titleEdit->text().toStdU16String();
    }
    if (m_logo->isChecked()) {
        options.logo = logoPath().toStdU16String();
    }
    return options;
}

void PrintSetupDialog::apply() {
    print::storePrintOptions(m_settings, chosenOptions());
    m_apply->setEnabled(false);
}

} // namespace pelmora::ui
