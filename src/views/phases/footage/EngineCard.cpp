#include "views/phases/footage/EngineCard.h"

#include "design/widgets/CardSurface.h"
#include "design/widgets/FieldLabel.h"
#include "design/widgets/ItemListLayout.h"
#include "design/style/Palette.h"
#include "design/widgets/PillPicker.h"
#include "design/widgets/SectionHeader.h"
#include "design/widgets/Slider.h"
#include "design/widgets/StatTile.h"
#include "design/widgets/SwitchToggle.h"
#include "design/widgets/SymbolLabel.h"
#include "design/style/Theme.h"
#include "design/style/Tokens.h"
#include "model/Text.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace studio {

namespace {

constexpr int controlSpacing = 16;
// Between two rows of controls, once they no longer fit on one.
constexpr int rowSpacing = 12;
constexpr int captionGap = 7;

// A caption over a slider, each on one line: the column is as wide as the
// wider of the two and never narrower.
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
        label->setWordWrap(false);
        slider->setParent(this);
        slider->setTint(Palette::accentDeep());
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override
    {
        const int width = std::max(m_label->sizeHint().width(), m_sliderWidth);
        return QSize(width, m_label->sizeHint().height() + captionGap + m_slider->sizeHint().height());
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    bool event(QEvent* event) override
    {
        // The caption asks for more room as its number grows: with no layout
        // of its own, the column passes the request on to the row around it.
        if (event->type() == QEvent::LayoutRequest)
            updateGeometry();
        return QWidget::event(event);
    }

    void resizeEvent(QResizeEvent*) override
    {
        const int captionHeight = m_label->sizeHint().height();
        m_label->setGeometry(0, 0, width(), captionHeight);
        m_slider->setGeometry(0, captionHeight + captionGap, std::min(width(), m_sliderWidth),
                              m_slider->sizeHint().height());
    }

private:
    FieldLabel* m_label;
    Slider* m_slider;
    int m_sliderWidth;
};

// The controls row: the clip length, the two switches, the takes and, at the
// trailing edge, the resolution. Every control keeps its own width. Where
// they don't all fit side by side (the window's narrower sizes), the row
// breaks between whole controls, in reading order, and goes on below; the
// resolution stands at the trailing edge of the row it ends.
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
        for (int i = 0; i < count() && i < a.places.size(); ++i)
            itemAt(i)->setGeometry(a.places[i].translated(rect.topLeft()));
    }

private:
    struct Arrangement {
        QList<QRect> places;
        int height = 0;
        int used = 0;
    };

    Arrangement arrange(int width) const
    {
        Arrangement a;
        const int n = count();
        a.places.resize(n);
        // Rows of whole controls: [first, end) of each, and its height.
        struct Row {
            int first = 0;
            int end = 0;
            int height = 0;
        };
        QList<Row> rows;
        int x = 0;
        for (int i = 0; i < n; ++i) {
            const QSize hint = itemAt(i)->sizeHint();
            // A control wider than the whole row (never at the window's
            // sizes) takes the row.
            const int w = std::min(hint.width(), std::max(width, 0));
            if (rows.isEmpty() || (x > 0 && x + controlSpacing + w > width)) {
                rows.append(Row{i, i, 0});
                x = 0;
            } else if (x > 0) {
                x += controlSpacing;
            }
            a.places[i] = QRect(x, 0, w, hint.height());
            x += w;
            a.used = std::max(a.used, x);
            rows.last().end = i + 1;
            rows.last().height = std::max(rows.last().height, hint.height());
        }
        int top = 0;
        for (const Row& row : std::as_const(rows)) {
            for (int i = row.first; i < row.end; ++i)
                a.places[i].moveTop(top + (row.height - a.places[i].height()) / 2);
            top += row.height + rowSpacing;
        }
        a.height = rows.isEmpty() ? 0 : top - rowSpacing;
        // The resolution stands at the trailing edge.
        if (n > 0 && width < QWIDGETSIZE_MAX)
            a.places[n - 1].moveRight(std::max(a.places[n - 1].right(), width - 1));
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
    // The captions carry the values; the sliders are named by what they set.
    m_clipLength->setAccessibleName(u"Max clip length"_s);
    m_takes->setAccessibleName(u"Takes per render"_s);
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

    m_clipLength->setValueText([](double seconds) { return Slider::amount(seconds, 0, u"second"_s, u"seconds"_s); });
    m_takes->setValueText([](double takes) { return Slider::amount(takes, 0, u"take"_s, u"takes"_s); });
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

QWidget* EngineCard::lastFocusStop() const
{
    return m_resolution->pill(m_resolution->count() - 1);
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
