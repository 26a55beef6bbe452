#include "views/settings/GeneralSettingsPage.h"

#include "design/widgets/AccessibleSource.h"
#include "design/widgets/CardSurface.h"
#include "design/widgets/GhostButton.h"
#include "design/style/Palette.h"
#include "design/widgets/SectionHeader.h"
#include "design/widgets/SpokenName.h"
#include "design/access/StaticTextAccessible.h"
#include "design/widgets/SwitchToggle.h"
#include "design/widgets/SymbolLabel.h"
#include "design/widgets/TextLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "services/FileReveal.h"
#include "services/ProjectStore.h"
#include "services/Settings.h"
#include "services/UpdateService.h"
#include "state/AppState.h"

#include <QFontMetricsF>
#include <cmath>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace studio {

namespace {

// A path on one line, shortened in the middle so both its start and its last
// folders stay readable; read whole as static text.
class MiddleElidedLabel : public QWidget, public AccessibleSource {
public:
    MiddleElidedLabel(const QFont& font, const QColor& color, QWidget* parent)
        : QWidget(parent)
        , m_color(color)
    {
        setFont(font);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        setAttribute(Qt::WA_TranslucentBackground);
    }

    QString text() const { return m_text; }
    void setText(const QString& text)
    {
        if (text == m_text)
            return;
        m_text = text;
        setToolTip(text);
        setSpokenName(this, text);
        updateGeometry();
        update();
    }
    QString shownText() const
    {
        return QFontMetricsF(font()).elidedText(m_text, Qt::ElideMiddle, width());
    }

    QSize sizeHint() const override
    {
        const QFontMetricsF fm(font());
        return QSize(int(std::ceil(fm.horizontalAdvance(m_text))), int(std::ceil(fm.height())));
    }
    QSize minimumSizeHint() const override { return QSize(40, sizeHint().height()); }

protected:
    QAccessibleInterface* accessibleFor(QObject* object) override
    {
        return object == this ? new StaticTextAccessible(this, [this] { return m_text; }) : nullptr;
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(m_color);
        p.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, shownText());
    }

private:
    QString m_text;
    QColor m_color;
};

} // namespace

GeneralSettingsPage::GeneralSettingsPage(AppState& app, QWidget* parent)
    : QWidget(parent)
    , m_app(app)
    , m_path(new MiddleElidedLabel(Theme::font(type::body), Palette::textSecondary(), nullptr))
    , m_reveal(new GhostButton(QStringLiteral("Reveal"), Palette::textPrimary()))
    , m_backdrop(new SwitchToggle(QStringLiteral("Animated aurora backdrop")))
    , m_version(new TextLabel(QString(), Theme::font(type::small), Palette::textTertiary()))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(22, 22, 22, 22);
    column->setSpacing(18);

    column->addWidget(new SectionHeader(QStringLiteral("Library"), QStringLiteral("Where your productions live on disk.")));

    auto* card = new CardSurface(12, Palette::surface());
    auto* cardRow = new QHBoxLayout(card);
    cardRow->setContentsMargins(13, 13, 13, 13);
    cardRow->setSpacing(10);
    cardRow->addWidget(new SymbolLabel(QStringLiteral("folder.fill"), 13, Palette::gold()), 0, Qt::AlignVCenter);
    m_path->setParent(card);
    cardRow->addWidget(m_path, 1, Qt::AlignVCenter);
    cardRow->addWidget(m_reveal, 0, Qt::AlignVCenter);
    column->addWidget(card);

    column->addWidget(new SectionHeader(
        QStringLiteral("Saving"),
        QStringLiteral("Everything autosaves about a second after you stop typing. Closing a tab or quitting saves too.")));
    // A switch is as wide as its label and knob, on the leading side.
    column->addWidget(m_backdrop, 0, Qt::AlignLeft);
    column->addStretch(1);

    auto* about = new QHBoxLayout;
    about->setSpacing(8);
    about->addWidget(new SymbolLabel(QStringLiteral("film.fill"), 11, Palette::gold()), 0, Qt::AlignVCenter);
    auto* aboutText = new QVBoxLayout;
    aboutText->setSpacing(1);
    aboutText->addWidget(
        new TextLabel(QStringLiteral("Palisademotion"), Theme::font(type::control, QFont::DemiBold), Palette::textPrimary()));
    aboutText->addWidget(m_version);
    about->addLayout(aboutText, 1);
    column->addLayout(about);

    connect(m_reveal, &QAbstractButton::clicked, this, [] { revealInFileManager(ProjectStore::rootPath()); });
    connect(m_backdrop, &QAbstractButton::clicked, this,
            [](bool on) { Settings::instance().setBool(Settings::animatedBackdropKey, on); });
    load();
}

void GeneralSettingsPage::load()
{
    static_cast<MiddleElidedLabel*>(m_path)->setText(ProjectStore::rootPath());
    m_backdrop->setChecked(Settings::instance().boolOrTrue(Settings::animatedBackdropKey));
    m_version->setText(QStringLiteral("Version ") + m_app.updates().currentVersion()
                       + QStringLiteral(" · Built for filmmakers of one."));
}

QString GeneralSettingsPage::libraryPathText() const
{
    return static_cast<MiddleElidedLabel*>(m_path)->text();
}

QString GeneralSettingsPage::libraryPathShownText() const
{
    return static_cast<MiddleElidedLabel*>(m_path)->shownText();
}

QString GeneralSettingsPage::aboutVersionText() const
{
    return m_version->text();
}

} // namespace studio
