#include "model/Enums.h"

using namespace Qt::StringLiterals;

namespace studio {

const QList<ProjectFormatRow>& EnumTable<ProjectFormat>::rows()
{
    static const QList<ProjectFormatRow> table = {
        {ProjectFormat::shortFilm, u"shortFilm"_s, u"Short Film"_s, u"bolt.fill"_s, false, u"Episode"_s,
         StructureKind::threeAct, 3, 40},
        {ProjectFormat::feature, u"feature"_s, u"Feature Film"_s, u"film.fill"_s, false, u"Episode"_s,
         StructureKind::beatSheet, 40, 240},
        {ProjectFormat::series, u"series"_s, u"Episodic Series"_s, u"rectangle.stack.fill"_s, true, u"Episode"_s,
         StructureKind::fiveAct, 20, 60},
        {ProjectFormat::anthology, u"anthology"_s, u"Anthology"_s, u"square.stack.3d.up.fill"_s, true,
         u"Segment"_s, StructureKind::anthologyTale, 10, 60},
        {ProjectFormat::sitcom, u"sitcom"_s, u"Sitcom"_s, u"sofa.fill"_s, true, u"Episode"_s,
         StructureKind::sitcom, 11, 30},
        {ProjectFormat::custom, u"custom"_s, u"Custom"_s, u"slider.horizontal.3"_s, false, u"Episode"_s,
         StructureKind::threeAct, 3, 240},
    };
    return table;
}

const QList<GenreRow>& EnumTable<Genre>::rows()
{
    static const QList<GenreRow> table = {
        {Genre::drama, u"drama"_s, u"Drama"_s},
        {Genre::comedy, u"comedy"_s, u"Comedy"_s},
        {Genre::sciFi, u"sciFi"_s, u"Sci-Fi"_s},
        {Genre::fantasy, u"fantasy"_s, u"Fantasy"_s},
        {Genre::horror, u"horror"_s, u"Horror"_s},
        {Genre::thriller, u"thriller"_s, u"Thriller"_s},
        {Genre::action, u"action"_s, u"Action"_s},
        {Genre::romance, u"romance"_s, u"Romance"_s},
        {Genre::mystery, u"mystery"_s, u"Mystery"_s},
        {Genre::crime, u"crime"_s, u"Crime"_s},
        {Genre::western, u"western"_s, u"Western"_s},
        {Genre::adventure, u"adventure"_s, u"Adventure"_s},
        {Genre::documentary, u"documentary"_s, u"Documentary"_s},
        {Genre::musical, u"musical"_s, u"Musical"_s},
    };
    return table;
}

const QList<RatingRow>& EnumTable<Rating>::rows()
{
    static const QList<RatingRow> table = {
        {Rating::g, u"g"_s, u"G"_s},
        {Rating::pg, u"pg"_s, u"PG"_s},
        {Rating::pg13, u"pg13"_s, u"PG-13"_s},
        {Rating::r, u"r"_s, u"R"_s},
        {Rating::tvMA, u"tvMA"_s, u"TV-MA"_s},
        {Rating::unrated, u"unrated"_s, u"Unrated"_s},
    };
    return table;
}

const QList<IdeaCardKindRow>& EnumTable<IdeaCardKind>::rows()
{
    static const QList<IdeaCardKindRow> table = {
        {IdeaCardKind::concept_, u"concept"_s, u"Concept"_s, u"lightbulb.fill"_s},
        {IdeaCardKind::scene, u"scene"_s, u"Scene idea"_s, u"rectangle.on.rectangle"_s},
        {IdeaCardKind::image, u"image"_s, u"Image in my head"_s, u"eye.fill"_s},
        {IdeaCardKind::line, u"line"_s, u"Line of dialogue"_s, u"quote.opening"_s},
        {IdeaCardKind::theme, u"theme"_s, u"Theme"_s, u"heart.fill"_s},
    };
    return table;
}

const QList<PhaseGroupRow>& EnumTable<PhaseGroup>::rows()
{
    static const QList<PhaseGroupRow> table = {
        {PhaseGroup::dream, u"dream"_s, u"Dream"_s},
        {PhaseGroup::design, u"design"_s, u"Design"_s},
        {PhaseGroup::deliver, u"deliver"_s, u"Deliver"_s},
    };
    return table;
}

const QList<PhaseIDRow>& EnumTable<PhaseID>::rows()
{
    static const QList<PhaseIDRow> table = {
        {PhaseID::spark, u"spark"_s, u"Spark"_s, PhaseGroup::dream, u"sparkles"_s},
        {PhaseID::story, u"story"_s, u"Story"_s, PhaseGroup::dream, u"map.fill"_s},
        {PhaseID::cast, u"cast"_s, u"Cast & World"_s, PhaseGroup::dream, u"person.2.fill"_s},
        {PhaseID::script, u"script"_s, u"Script"_s, PhaseGroup::design, u"doc.text.fill"_s},
        {PhaseID::look, u"look"_s, u"The Look"_s, PhaseGroup::design, u"camera.filters"_s},
        {PhaseID::scenes, u"scenes"_s, u"Storyboard"_s, PhaseGroup::design, u"square.grid.2x2.fill"_s},
        {PhaseID::footage, u"footage"_s, u"Footage"_s, PhaseGroup::deliver, u"film.stack.fill"_s},
        {PhaseID::cut, u"cut"_s, u"The Cut"_s, PhaseGroup::deliver, u"scissors"_s},
        {PhaseID::premiere, u"premiere"_s, u"Premiere"_s, PhaseGroup::deliver, u"ticket.fill"_s},
    };
    return table;
}

QList<PhaseID> phases(PhaseGroup g)
{
    QList<PhaseID> out;
    for (PhaseID p : allCases<PhaseID>()) {
        if (group(p) == g)
            out.append(p);
    }
    return out;
}

} // namespace studio
