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

constexpr int controlSpacing = 16;
// Between the controls once the row has to close up.
constexpr int tightSpacing = 10;
constexpr int captionGap = 7;
constexpr int toggleGap = 6;

// A caption over a slider. The slider keeps its given width while there is
// room and narrows when the row closes up; the caption then wraps onto a
// second line rather than being cut short.
class SliderColumn : public QWidget {
public:
    SliderColumn(FieldLabel* label, Slider* slider, int sliderWidth, QWidget* parent)
        : QWidget(parent)
        , m_label(label)
        , m_slider(slider)
        , m_sliderWidth(sliderWidth)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        label->setParent(this);
        label->setWordWrap(true);
        slider->setParent(this);
        slider->setTint(Palette::accentDeep());
        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

    QSize sizeHint() const override
    {
        const int width = std::max(naturalCaptionWidth(), m_sliderWidth);
        return QSize(width, heightForWidth(width));
    }
    QSize minimumSizeHint() const override { return QSize(m_slider->minimumSizeHint().width(), sizeHint().height()); }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override
    {
        return m_label->heightForWidth(width) + captionGap + m_slider->sizeHint().height();
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        const int captionHeight = m_label->heightForWidth(width());
        m_label->setGeometry(0, 0, width(), captionHeight);
        m_slider->setGeometry(0, captionHeight + captionGap, std::min(width(), m_sliderWidth),
                              m_slider->sizeHint().height());
    }

private:
    int naturalCaptionWidth() const { return m_label->sizeHint().width(); }

    FieldLabel* m_label;
    Slider* m_slider;
    int m_sliderWidth;
};

// The controls row: the clip length, the two switches, the takes and, at the
// trailing edge, the resolution. One row at every width the card takes: when
// the controls don't fit side by side, the two switches stand one above the
// other and the rest close up, the sliders narrowing last.
class ControlsLayout : public ItemListLayout {
public:
    explicit ControlsLayout(QWidget* parent)
        : ItemListLayout(parent)
    {
        setContentsMargins(0, 0, 0, 0);
    }

    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return arrange(width).height; }
    QSize sizeHint() const override
    {
        const Arrangement natural = arrange(QWIDGETSIZE_MAX);
        return QSize(natural.used, natural.height);
    }
    QSize minimumSize() const override
    {
        // As low as one row: the height at the width given comes from
        // heightForWidth (a minimum taken at the narrowest width would hold
        // the manifest open below its last shot).
        return QSize(0, arrange(QWIDGETSIZE_MAX).height);
    }
    void setGeometry(const QRect& rect) override
    {
        QLayout::setGeometry(rect);
        const Arrangement a = arrange(rect.width());
        if (a.places.size() != count())
            return;
        for (int i = 0; i < count(); ++i)
            itemAt(i)->setGeometry(a.places[i].translated(rect.topLeft()));
    }

private:
    enum { clipLength, chain, characterRefs, takes, resolution, itemCount };

    struct Arrangement {
        QList<QRect> places;
        int height = 0;
        int used = 0;
    };

    Arrangement arrange(int width) const
    {
        Arrangement a;
        if (count() != itemCount)
            return a;
        QSize hint[itemCount];
        for (int i = 0; i < itemCount; ++i)
            hint[i] = itemAt(i)->sizeHint();
        const auto heightAt = [&](int i, int w) {
            QLayoutItem* item = itemAt(i);
            return item->hasHeightForWidth() ? item->heightForWidth(w) : hint[i].height();
        };

        int widths[itemCount];
        for (int i = 0; i < itemCount; ++i)
            widths[i] = hint[i].width();
        const int sideBySide = widths[clipLength] + widths[chain] + widths[characterRefs] + widths[takes]
            + widths[resolution] + 4 * controlSpacing;
        const bool stacked = sideBySide > width;
        int spacing = controlSpacing;
        if (stacked) {
            const int toggles = std::max(widths[chain], widths[characterRefs]);
            widths[chain] = widths[characterRefs] = toggles;
            const int fixed = toggles + widths[resolution];
            if (fixed + widths[clipLength] + widths[takes] + 3 * spacing > width) {
                // Closing up: tighter gaps, then the two slider columns share
                // what is left in proportion to what they would take.
                spacing = tightSpacing;
                const int left = width - fixed - 3 * spacing;
                const int wanted = widths[clipLength] + widths[takes];
                if (left < wanted) {
                    const int clip = std::max(itemAt(clipLength)->minimumSize().width(),
                                              int(qint64(left) * widths[clipLength] / std::max(1, wanted)));
                    widths[clipLength] = clip;
                    widths[takes] = std::max(itemAt(takes)->minimumSize().width(), left - clip);
                }
            }
        }

        int heights[itemCount];
        for (int i = 0; i < itemCount; ++i)
            heights[i] = heightAt(i, widths[i]);
        const int togglesHeight = stacked ? heights[chain] + toggleGap + heights[characterRefs] : 0;
        int row = stacked ? togglesHeight : 0;
        for (int i = 0; i < itemCount; ++i) {
            if (!stacked || (i != chain && i != characterRefs))
                row = std::max(row, heights[i]);
        }

        a.height = row;
        a.places.resize(itemCount);
        int x = 0;
        for (int i = 0; i < itemCount; ++i) {
            if (stacked && i == characterRefs)
                continue;
            if (stacked && i == chain) {
                const int top = (row - togglesHeight) / 2;
                a.places[chain] = QRect(x, top, widths[chain], heights[chain]);
                a.places[characterRefs]
                    = QRect(x, top + heights[chain] + toggleGap, widths[characterRefs], heights[characterRefs]);
            } else {
                a.places[i] = QRect(x, (row - heights[i]) / 2, widths[i], heights[i]);
            }
            x += widths[i] + spacing;
        }
        a.used = x - spacing;
        // The resolution stands at the trailing edge.
        if (width < QWIDGETSIZE_MAX && a.used < width)
            a.places[resolution].moveRight(width - 1);
        return a;
    }
};

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
    auto* controlsLayout = new ControlsLayout(controls);
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
    controlsLayout->addWidget(new SliderColumn(m_clipLengthLabel, m_clipLength, 170, controls));
    controlsLayout->addWidget(m_chain);
    controlsLayout->addWidget(m_characterRefs);
    controlsLayout->addWidget(new SliderColumn(m_takesLabel, m_takes, 110, controls));
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
        m_stats[i]->setCaptionWraps(true);
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
