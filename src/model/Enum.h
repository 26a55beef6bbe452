#pragma once

// One table per enumeration. Each enumeration E provides
//
//   template<> struct EnumTable<E> {
//       static constexpr const char* typeName = "E";
//       static const QList<Row>& rows();   // Row has at least `E value; QString raw;`
//   };
//
// with the rows in case order (row i describes case i). Every other text of the
// enumeration (label, symbol, prompt phrase) lives in the same row and is read
// through enumRow(). rawValue, fromRaw and allCases below are derived from it.

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>
#include <type_traits>

namespace studio {

template <class E>
struct EnumTable;

template <class E>
concept TabledEnum = std::is_enum_v<E> && requires { EnumTable<E>::rows(); };

template <TabledEnum E>
const auto& enumRow(E e)
{
    const auto& rows = EnumTable<E>::rows();
    const auto index = qsizetype(e);
    Q_ASSERT(index >= 0 && index < rows.size() && rows[index].value == e);
    return rows[index];
}

template <TabledEnum E>
const QString& rawValue(E e)
{
    return enumRow(e).raw;
}

// Exact, case-sensitive match of a stored raw value; anything else names no case.
template <TabledEnum E>
std::optional<E> fromRaw(QStringView raw)
{
    for (const auto& row : EnumTable<E>::rows()) {
        if (row.raw == raw)
            return row.value;
    }
    return std::nullopt;
}

// The display label of enumerations whose rows carry one.
template <TabledEnum E>
    requires requires(E e) { enumRow(e).label; }
const QString& label(E e)
{
    return enumRow(e).label;
}

template <TabledEnum E>
QList<E> allCases()
{
    QList<E> cases;
    const auto& rows = EnumTable<E>::rows();
    cases.reserve(rows.size());
    for (const auto& row : rows)
        cases.append(row.value);
    return cases;
}

} // namespace studio
