#include "AboutBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace pelmora::qulvio {
namespace {

constexpr int kCaption = 920;
constexpr int kVersion = 921;
constexpr int kDescription = 922;
constexpr int kLicence = 923;
constexpr int kPluginVersion = 924;
constexpr int kQtVersion = 925;
constexpr int kPcscVersion = 926;
constexpr int kManual = 927;
constexpr int kClose = 928;

QString fromU16(const std::u16string& text) {
    return QString::fromStdU16String(text);
}

QString line(const AboutTexts& texts, int number, const std::string& value) {
    return fromU16(texts.text(number, QString::fromStdString(value).toStdU16String()));
}

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* shown = new QLabel(text, parent);
    shown->setObjectName(QString::fromLatin1(name));
    shown->setTextFormat(Qt::PlainText);
    shown->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return shown;
}

QLabel* manualLink(QWidget* parent, const std::filesystem::path& manual, const QString& caption) {
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(manual.string()));
    auto* link = new QLabel(
        QStringLiteral("<a href=\"%1\">%2</a>")
            .arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(), caption.toHtmlEscaped()),
        parent);
    link->setObjectName(QStringLiteral("manual"));
    link->setTextFormat(Qt::RichText);
    link->setOpenExternalLinks(true);
    return link;
}

} // namespace

AboutBox::AboutBox(const AboutFacts& facts, const AboutTexts& texts, QWidget* parent)
    : QDialog(parent) {
    const QString name = QString::fromStdString(facts.programName);
    setWindowTitle(fromU16(texts.text(kCaption, name.toStdU16String())));

    auto* heading = label(this, "programName", name);
    QFont bigger = heading->font();
    bigger.setBold(true);
    bigger.setPointSizeF(bigger.pointSizeF() * 1.5);
    heading->setFont(bigger);

    auto* details = new QVBoxLayout;
    details->addWidget(heading);
    details->addWidget(label(this, "version", line(texts, kVersion, facts.version)));
    auto* description = label(this, "description", fromU16(texts.text(kDescription)));
    description->setWordWrap(true);
    details->addWidget(description);
    details->addSpacing(8);
    details->addWidget(label(this, "licence", line(texts, kLicence, facts.licence)));
    details->addWidget(
        label(this, "pluginVersion", line(texts, kPluginVersion, facts.pluginVersion)));
    details->addWidget(label(this, "qtVersion", line(texts, kQtVersion, facts.qtVersion)));
    details->addWidget(label(this, "pcscVersion", line(texts, kPcscVersion, facts.pcscVersion)));
    if (!facts.manual.empty()) {
        details->addSpacing(8);
        details->addWidget(manualLink(this, facts.manual, fromU16(texts.text(kManual))));
    }

    auto* body = new QHBoxLayout;
    const QIcon icon = parent != nullptr ? parent->windowIcon() : QIcon();
    if (!icon.isNull()) {
        auto* picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("icon"));
        picture->setPixmap(icon.pixmap(48, 48));
        picture->setAlignment(Qt::AlignTop);
        body->addWidget(picture);
    }
    body->addLayout(details, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close =
        buttons->addButton(fromU16(texts.text(kClose)), QDialogButtonBox::AcceptRole);
    close->setObjectName(QStringLiteral("close"));
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    description->setMinimumWidth(320);
}

} // namespace pelmora::qulvio
