#include "compile/TfmExport.h"

#include "common/IniFile.h"
#include "language/Captions.h"
#include "language/FormCaptions.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString kSection = QStringLiteral("Export");

// In the order of ManuscriptExport::formats().
constexpr const char* kFormatNames[] = {"rbOpenDocument", "rbHtml", "rbMarkdown", "rbEpub",
                                        "rbWord"};

template <class T> T* named(T* component, const char* name) {
    component->setObjectName(QString::fromLatin1(name));
    return component;
}

qsizetype indexOf(ManuscriptExport::Format format) {
    const auto formats = ManuscriptExport::formats();
    return std::find(formats.begin(), formats.end(), format) - formats.begin();
}

// A caption as a file dialog shows it: without the mark of its access key.
QString withoutAccessKey(const QString& caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        out.append(caption[i]);
    }
    return out;
}

} // namespace

TfmExport::TfmExport(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmExport"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* gbFormat = named(new QGroupBox(this), "gbFormat");
    auto* formats = new QVBoxLayout(gbFormat);
    for (qsizetype i = 0; i < std::ssize(kFormatNames); ++i) {
        m_formats[i] = named(new QRadioButton(gbFormat), kFormatNames[i]);
        formats->addWidget(m_formats[i]);
    }
    m_formats[0]->setChecked(true);
    m_cbChapterDescriptions = named(new QCheckBox(this), "cbChapterDescriptions");

    auto* btnOk = named(new QPushButton(this), "btnOk");
    btnOk->setDefault(true);
    auto* btnCancel = named(new QPushButton(this), "btnCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbFormat);
    layout->addWidget(m_cbChapterDescriptions);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    FormCaptions::apply(this);
}

TfmExport::Choice TfmExport::choice() const {
    Choice choice;
    for (qsizetype i = 0; i < std::ssize(kFormatNames); ++i)
        if (m_formats[i]->isChecked())
            choice.format = ManuscriptExport::formats()[static_cast<std::size_t>(i)];
    choice.descriptions = m_cbChapterDescriptions->isChecked();
    return choice;
}

void TfmExport::setChoice(Choice choice) {
    m_formats[indexOf(choice.format)]->setChecked(true);
    m_cbChapterDescriptions->setChecked(choice.descriptions);
}

std::optional<TfmExport::Choice> TfmExport::ask(const QString& settingsFile) {
    if (!settingsFile.isEmpty()) {
        const IniFile settings(settingsFile);
        Choice kept;
        kept.format = ManuscriptExport::formatOfSuffix(settings.readString(kSection, u"Format"))
                          .value_or(kept.format);
        kept.descriptions = settings.readBool(kSection, u"Descriptions", kept.descriptions);
        setChoice(kept);
    }
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    const Choice chosen = choice();
    if (!settingsFile.isEmpty()) {
        IniFile settings(settingsFile);
        settings.writeString(kSection, u"Format", ManuscriptExport::suffix(chosen.format));
        settings.writeBool(kSection, u"Descriptions", chosen.descriptions);
        settings.save();
    }
    return chosen;
}

QString TfmExport::fileFilter(ManuscriptExport::Format format) {
    const QString caption =
        Captions::text(u"fmExport", QString::fromLatin1(kFormatNames[indexOf(format)]));
    return withoutAccessKey(caption) + QStringLiteral(" (*.") + ManuscriptExport::suffix(format) +
           u')';
}
