#include "views/phases/footage/EngineCard.h"

#include "design/CardSurface.h"
#include "design/FieldLabel.h"
#include "design/ItemListLayout.h"
#include "design/Palette.h"
#include "design/PillPicker.h"
#include "design/SectionHeader.h"
#include "design/Slider.h"
#include "design/StatTile.h"
#include "design/SwitchToggle.h"
#include "design/SymbolLabel.h"
#include "design/Theme.h"
#include "design/Tokens.h"
#include "model/Text.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

// The controls row: one row with the last control at the trailing edge while
// everything fits; narrower, the controls wrap onto further rows. Every row
// centres its controls vertically.
class ControlsLayout : public ItemListLayout {
public:
    ControlsLayout(int spacing, int rowSpacing, QWidget* parent)
        : ItemListLayout(parent)
        , m_spacing(spacing)
        , m_rowSpacing(rowSpacing)
    {
        setContentsMargins(0, 0, 0, 0);
    }

    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return place(QRect(0, 0, width, 0), false); }
    QSize sizeHint() const override
    {
        int w = 0, h = 0;
        for (QLayoutItem* item : visibleItems()) {
            w += item->sizeHint().width() + (w > 0 ? m_spacing : 0);
            h = std::max(h, item->sizeHint().height());
        }
        return QSize(w, h);
    }
    // As narrow as the widest control, as low as one row: the height at the
    // width actually given comes from heightForWidth. A minimum taken at the
    // narrowest width would hold the manifest open below its last shot
    // whenever the card is wider than that.
    QSize minimumSize() const override
    {
        int w = 0, h = 0;
        for (QLayoutItem* item : visibleItems()) {
            w = std::max(w, item->sizeHint().width());
            h = std::max(h, item->sizeHint().height());
        }
        return QSize(w, h);
    }
    void setGeometry(const QRect& rect) override
    {
        QLayout::setGeometry(rect);
        place(rect, true);
    }

private:
    // Places the items (or only measures) and returns the height used.
    int place(const QRect& rect, bool apply) const
    {
        const QList<QLayoutItem*> items = visibleItems();
        if (items.isEmpty())
            return 0;
        // Rows of item indices.
        QList<QList<int>> rows(1);
        int x = 0;
        for (int i = 0; i < items.size(); ++i) {
            const int w = items[i]->sizeHint().width();
            if (!rows.last().isEmpty() && x + m_spacing + w > rect.width()) {
                rows.append(QList<int>());
                x = 0;
            }
            x += (rows.last().isEmpty() ? 0 : m_spacing) + w;
            rows.last().append(i);
        }
        int y = rect.top();
        for (const QList<int>& row : rows) {
            int height = 0;
            for (int i : row)
                height = std::max(height, items[i]->sizeHint().height());
            if (apply) {
                int left = rect.left();
                for (int i : row) {
                    const QSize s = items[i]->sizeHint();
                    // One row: the last control stands at the trailing edge.
                    const bool trailing = rows.size() == 1 && i == items.size() - 1;
                    const int at = trailing ? rect.right() + 1 - s.width() : left;
                    items[i]->setGeometry(QRect(at, y + (height - s.height()) / 2, s.width(), s.height()));
                    left += s.width() + m_spacing;
                }
            }
            y += height + m_rowSpacing;
        }
        return y - m_rowSpacing - rect.top();
    }

    int m_spacing;
    int m_rowSpacing;
};

QWidget* sliderColumn(FieldLabel* label, Slider* slider, int width, QWidget* parent)
{
    auto* column = new QWidget(parent);
    column->setAttribute(Qt::WA_TranslucentBackground);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(7);
    label->setParent(column);
    slider->setParent(column);
    slider->setFixedWidth(width);
    slider->setTint(Palette::accentDeep());
    layout->addWidget(label);
    // Aligned, so the slider's fixed width doesn't cap a longer caption.
    layout->addWidget(slider, 0, Qt::AlignLeft);
    return column;
}

QString clipLengthCaption(double seconds)
{
    return u"Max clip length — "_s + QString::number(text::saturatingInt64(seconds)) + u's';
}

QString takesCaption(qint64 takes)
{
    return u"Takes per render — "_s + QString::number(takes);
}

} // namespace

EngineCard::EngineCard(QWidget* parent)
    : CardSurface(16, Palette::surface(), parent)
    , m_clipLengthLabel(new FieldLabel(QString(), this))
    , m_clipLength(new Slider(4, 20, this))
    , m_chain(new SwitchToggle(u"Chain final frames"_s, this))
    , m_characterRefs(new SwitchToggle(u"Character refs"_s, this))
    , m_takesLabel(new FieldLabel(QString(), this))
    , m_takes(new Slider(1, 3, this))
    , m_resolution(new PillPicker(this))
{
    QWidget* card = this;
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(14);

    auto* header = new QHBoxLayout;
    header->setContentsMargins(0, 0, 0, 0);
    header->setSpacing(8);
    header->addWidget(new SymbolLabel(u"cpu.fill"_s, 12, Palette::gold(), QFont::Normal, card), 0, Qt::AlignVCenter);
    header->addWidget(new SectionHeader(u"Generation Engine"_s,
                                        u"Video models make seconds, not minutes. We make minutes out of seconds."_s,
                                        card),
                      1, Qt::AlignVCenter);
    layout->addLayout(header);

    auto* controls = new QWidget(card);
    controls->setAttribute(Qt::WA_TranslucentBackground);
    auto* controlsLayout = new ControlsLayout(16, 12, controls);
    m_clipLength->setStep(1);
    m_takes->setStep(1);
    for (SwitchToggle* toggle : {m_chain, m_characterRefs}) {
        toggle->setParent(controls);
        toggle->setLabelFont(Theme::font(type::body));
        toggle->setTint(Palette::accentDeep());
    }
    m_resolution->setParent(controls);
    QList<std::pair<QString, QString>> options;
    for (const QString& resolution : GenerationProfile::resolutions())
        options.append({resolution, resolution});
    m_resolution->setOptions(options);
    controlsLayout->addWidget(sliderColumn(m_clipLengthLabel, m_clipLength, 170, controls));
    controlsLayout->addWidget(m_chain);
    controlsLayout->addWidget(m_characterRefs);
    controlsLayout->addWidget(sliderColumn(m_takesLabel, m_takes, 110, controls));
    controlsLayout->addWidget(m_resolution);
    layout->addWidget(controls);

    auto* stats = new QHBoxLayout;
    stats->setContentsMargins(0, 0, 0, 0);
    stats->setSpacing(10);
    const std::pair<QString, QString> tiles[4] = {{u"shots planned"_s, u"viewfinder"_s},
                                                  {u"clips to render"_s, u"film"_s},
                                                  {u"footage total"_s, u"clock"_s},
                                                  {u"anchored prompts"_s, u"lock.shield"_s}};
    for (int i = 0; i < 4; ++i) {
        m_stats[i] = new StatTile(QString(), tiles[i].first, tiles[i].second, card);
        stats->addWidget(m_stats[i], 1);
    }
    layout->addLayout(stats);

    connect(m_clipLength, &Slider::valueEdited, this, &EngineCard::maxClipSecondsEdited);
    connect(m_takes, &Slider::valueEdited, this, [this](double value) {
        // The slider moves a double; the profile keeps whole takes.
        Q_EMIT variantsPerShotEdited(text::saturatingInt64(value));
    });
    connect(m_chain, &QAbstractButton::clicked, this, &EngineCard::chainsLastFrameEdited);
    connect(m_characterRefs, &QAbstractButton::clicked, this, &EngineCard::usesCharacterRefsEdited);
    connect(m_resolution, &PillPicker::picked, this,
            [this](int index) { Q_EMIT resolutionPicked(m_resolution->value<QString>(index)); });
}

void EngineCard::setValues(const GenerationProfile& profile, const rules::EngineStats& stats)
{
    m_clipLengthLabel->setCaption(clipLengthCaption(profile.maxClipSeconds));
    m_clipLength->setValue(profile.maxClipSeconds);
    m_takesLabel->setCaption(takesCaption(profile.variantsPerShot));
    m_takes->setValue(double(profile.variantsPerShot));
    if (m_chain->isChecked() != profile.chainsLastFrame)
        m_chain->setChecked(profile.chainsLastFrame);
    if (m_characterRefs->isChecked() != profile.usesCharacterRefs)
        m_characterRefs->setChecked(profile.usesCharacterRefs);
    m_resolution->setSelection(profile.resolution);

    m_stats[0]->setValue(QString::number(stats.shots));
    m_stats[1]->setValue(QString::number(stats.clips));
    m_stats[2]->setValue(rules::shotLengthText(stats.seconds));
    m_stats[3]->setValue(QString::number(stats.anchored));
}

} // namespace studio
