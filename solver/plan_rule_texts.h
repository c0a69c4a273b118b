#pragma once

// Texts the initial plan rules write into the report.

namespace kargolo {

constexpr char kRemainderNotation[] =
    "Введем некоторые обозначения:<br>  A<sub>i</sub><sup>*</sup> - излишек нераспределенного "
    "груза от поставщика A<sub>i</sub><br>  B<sub>j</sub><sup>*</sup> - недостача в поставке "
    "груза потребителю B<sub>j</sub><p>";

constexpr char kPlaceSmaller[] =
    "Помещаем в клетку (%u,%u) меньшее из чисел A<sub>%u</sub><sup>*</sup>=%u и "
    "B<sub>%u</sub><sup>*</sup>=%u<br>";

constexpr char kRowExhausted[] =
    "Так как запасы поставщика A<sub>%u</sub> исчерпаны, то строка %u в дальнейшем в расчет не "
    "принимается<br>";

constexpr char kColumnSatisfied[] =
    "Так как спрос потребителя B<sub>%u</sub> удовлетворен, то столбец %u в дальнейшем в расчет "
    "не принимается<br>";

}  // namespace kargolo
