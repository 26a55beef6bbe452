// Idea assists: logline options, the premise, themes with the dramatic
// argument, and idea fragments for the board.

#include "services/AIDirector.h"

#include "model/Text.h"

using namespace Qt::StringLiterals;

namespace studio {

namespace {

struct OptionsDTO {
    QStringList options;

    static OptionsDTO fromJson(const json::Reader& r)
    {
        return {r.required<QList<QString>>("options"_L1)};
    }
};

struct PremiseDTO {
    QString premise;

    static PremiseDTO fromJson(const json::Reader& r)
    {
        return {r.required<QString>("premise"_L1)};
    }
};

struct ThemesDTO {
    std::optional<QStringList> themes;
    std::optional<QString> argument;

    static ThemesDTO fromJson(const json::Reader& r)
    {
        return {r.optional<QList<QString>>("themes"_L1), r.optional<QString>("argument"_L1)};
    }
};

struct FragmentsDTO {
    struct Fragment {
        std::optional<QString> kind;
        QString text;

        static Fragment fromJson(const json::Reader& r)
        {
            return {r.optional<QString>("kind"_L1), r.required<QString>("text"_L1)};
        }
    };
    QList<Fragment> fragments;

    static FragmentsDTO fromJson(const json::Reader& r)
    {
        return {r.required<QList<Fragment>>("fragments"_L1)};
    }
};

} // namespace

QCoro::Task<QStringList> AIDirector::sharpenLogline(const Project& project) const
{
    QString user = u"Rewrite this project's logline three different ways. Each: one sentence, max 35 words, "
                   u"a concrete protagonist with a quality, a want, an obstacle, and stakes. Three distinct angles "
                   u"(e.g. character-first, irony-first, world-first). No rhetorical questions, no \"must\".\n"
                   u"Return JSON {\"options\":[\"...\",\"...\",\"...\"]}"_s;
    return ask<OptionsDTO>(m_complete, request(project, nullptr, std::move(user)),
                           [](OptionsDTO dto) { return dto.options.mid(0, 3); });
}

QCoro::Task<QString> AIDirector::draftPremise(const Project& project) const
{
    QStringList fragments;
    for (const IdeaCard& card : project.idea.cards.mid(0, 6))
        fragments << text::graphemePrefix(card.text, 120);
    QString user = u"Write the premise paragraph for this project: 120\u2013180 words, present tense, like pitching a "
                   u"friend. The world, the want, the wound \u2014 and the choice the story forces. Use the idea "
                   u"fragments if any: "_s
        + fragments.join(u" / "_s) + u"\nReturn JSON {\"premise\":\"...\"}"_s;
    return ask<PremiseDTO>(m_complete, request(project, nullptr, std::move(user)),
                           [](PremiseDTO dto) { return dto.premise; });
}

QCoro::Task<AIDirector::ThemesAndArgument> AIDirector::themesAndArgument(const Project& project) const
{
    QString user = u"Suggest 3\u20136 themes/motifs (short noun phrases) and ONE dramatic argument \u2014 the verdict "
                   u"this story proves, stated in under 12 words (e.g. \"Vigilance isn't living\").\n"
                   u"Return JSON {\"themes\":[\"...\"],\"argument\":\"...\"}"_s;
    return ask<ThemesDTO>(m_complete, request(project, nullptr, std::move(user)), [](ThemesDTO dto) {
        return ThemesAndArgument{dto.themes.value_or(QStringList()), dto.argument.value_or(QString())};
    });
}

QCoro::Task<QList<IdeaCard>> AIDirector::brainstormFragments(const Project& project) const
{
    QString user = u"Brainstorm 4 idea fragments for this project \u2014 sensory and specific, not plot summaries. "
                   u"Kinds: image (a single frame you can see), line (one line of dialogue), scene (a moment), "
                   u"concept (a mechanism or rule), theme (a tension). Mix kinds.\n"
                   u"Return JSON {\"fragments\":[{\"kind\":\"image\",\"text\":\"...\"}]}"_s;
    return ask<FragmentsDTO>(m_complete, request(project, nullptr, std::move(user)), [](FragmentsDTO dto) {
        QList<IdeaCard> cards;
        for (const FragmentsDTO::Fragment& fragment : dto.fragments.mid(0, 5)) {
            IdeaCard card; // fresh id
            card.kind = fromRaw<IdeaCardKind>(fragment.kind.value_or(u"concept"_s)).value_or(IdeaCardKind::concept_);
            card.text = fragment.text;
            cards << card;
        }
        return cards;
    });
}

} // namespace studio
