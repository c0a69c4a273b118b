#pragma once

// Texts of the tasks solved with route capacity limits: the first plan and the method of
// potentials for bounded variables.

namespace kargolo {

constexpr char kRemainderAndLimitNotation[] =
    "Введем некоторые обозначения:<br>  A<sub>i</sub><sup>*</sup> - излишек нераспределенного "
    "груза от поставщика A<sub>i</sub><br>  B<sub>j</sub><sup>*</sup> - недостача в поставке "
    "груза потребителю B<sub>j</sub><br>  D<sub>i,j</sub> - ограничение пропускной "
    "способности коммуникации между поставщиком A<sub>i</sub> и потребителем B<sub>j</sub><p>";
constexpr char kPlaceUnderLimit[] =
    "Находим незанятую клетку с минимальным тарифом: (%u,%u).<br>Помещаем туда меньшее из чисел "
    "A<sub>%u</sub><sup>*</sup>=%u, B<sub>%u</sub><sup>*</sup>=%u и D<sub>%u,%u</sub>=";
constexpr char kNoLimitEnd[] = "<b>M</b><br>";
constexpr char kLimitEnd[] = "%u<br>";

constexpr char kStatusRestrictedMethod[] = "Решение задачи с ограничениями методом потенциалов.";

// The "А" of "А<sub>%u</sub>" is the Cyrillic letter, as the report has always written it.
constexpr char kExtendedTaskNote[] =
    "Так как суммарная величина нераспределенного груза/потребностей epsilon = %u, т.е. > 0, "
    "то текущий план задачи не является планом транспортной задачи с ограничениями, поэтому "
    "необходимо перейти к решению расширенной транспортной задачи с ограничениями. Для этого "
    "добавим к плану перевозок фиктивного поставщика А<sub>%u</sub> с объемом производства, "
    "равным %u, и фиктивного потребителя B<sub>%u</sub> с объемом потребностей, равным %u. При "
    "этом тарифы перевозок между фиктивным поставщиком(потребителем) и остальными "
    "потребителями(поставщиками) установим равными числу <b>M</b>. Тариф перевозки "
    "c<sub>%u,%u</sub> между фиктивным поставщиком и фиктивным потребителем установим равным "
    "0.<BR>";
constexpr char kNothingUndistributed[] =
    "<BR>Так как суммарная величина нераспределенного груза/потребностей epsilon = 0, то "
    "текущий план является опорным планом транспортной задачи с ограничениями.<BR>";

constexpr char kBoundedDegenerate[] =
    "<BR>Опорный план является вырожденным, так как число занятых клеток, удовлетворяющих "
    "условию <b>0 &lt; X<sub>i,j</sub> &lt; D<sub>i,j</sub></b> меньше, чем m+n-1=%u. "
    "<BR>Перечислим эти клетки:<b>%s</b><BR><BR>Сделаем план невырожденным, добавляя (в "
    "случае X<sub>i,j</sub> = 0) или отнимая (в случае X<sub>i,j</sub> = D<sub>i,j</sub>) "
    "бесконечно малые, не равные между собой фиктивные перевозки <b><font "
    "color=\"#0000FF\">e, 2e, 3e...</font></b> в клетки с координатами <b>(i,j): ";
constexpr char kBoundedCell[] = "(%u,%u) ";
constexpr char kBoundedDegenerateEnd[] =
    "</b><BR>Введение в план фиктивных перевозок необходимо для избежания зацикливания в ходе "
    "решения задачи. При их введении будем модифицировать потребности/запасы груза "
    "соответствующих потребителей/поставщиков для сохранения баланса между "
    "запасами/потребностями<BR>";

constexpr char kBoundedPotentialsIntro[] =
    "<BR>Полагая потенциал U<sub>1</sub>=0, определяем остальные потенциалы из соотношения "
    "<b>U<sub>j</sub>+V<sub>i</sub>=C<sub>i,j</sub>(i=1..m, j=1..n)</b>, просматривая все "
    "занятые клетки.<BR>Потенциалы <b>U<sub>i</sub></b>:<BR>U<sub>1</sub>=0<BR>";
constexpr char kBoundedEstimatesIntro[] =
    "<BR>Определяем значения оценок <b>S<sub>i,j</sub>=C<sub>i,j</sub>-(V<sub>j</sub>-U<sub>i</sub>)"
    "</b> для всех свободных клеток:<BR>Для случая X<sub>i,j</sub> = 0 условие оптимальности "
    "оценки S<sub>i,j</sub> определяется следующим образом: <b>S<sub>i,j</sub> >=0</b>.<BR>Для "
    "случая X<sub>i,j</sub> = D<sub>i,j</sub> условие оптимальности оценки S<sub>i,j</sub> "
    "определяется следующим образом: <b>S<sub>i,j</sub> <=0</b>.<BR>";
constexpr char kBoundedEstimate[] =
    "%sS<sub>%u,%u</sub> = c<sub>%u,%u</sub> - (v<sub>%u</sub> + u<sub>%u</sub>) = %s.%s<BR>";
constexpr char kLowerEstimatesHeading[] =
    "оценки S<sub>i,j</sub> для всех клеток, удовлетворяющих условию: X<sub>i,j</sub> = 0 "
    "(<i>неоптимальные выделены синим цветом</i>)<BR>";
constexpr char kUpperEstimatesHeading[] =
    "оценки S<sub>i,j</sub> для всех клеток, удовлетворяющих условию: X<sub>i,j</sub> = "
    "D<sub>i,j</sub> (<i>неоптимальные выделены красным цветом</i>)<BR>";
constexpr char kNoEstimates[] = "<b>отсутствуют</b><BR>";

constexpr char kBoundedEnteringCell[] =
    "<BR>Если имеются неоптимальные оценки и для случая X<sub>i,j</sub> = 0, и для случая "
    "X<sub>i,j</sub> = D<sub>i,j</sub>, то наиболее потенциальной(неоптимальной) из них "
    "считается максимальная по модулю оценка. Если имеется несколько клеток с одним и тем же "
    "наиболее неоптимальным значением оценки, то из них выбирается клетка, имеющая наименьший "
    "тариф. Наиболее потенциальной является клетка <b>(%i,%i)</b>. Для нее оценка равна "
    "<b>%s</b>.<BR>";
constexpr char kBoundedCycleIntro[] =
    "<BR>Строим для этой клетки цикл, помечая клетки цикла знаками \"плюс\" и \"минус\".<BR>";
constexpr char kBoundedShiftStart[] =
    "<BR>Перемещаем по циклу груз величиной в <b><font color=\"#0000FF\" size=\"-1\">";
constexpr char kBoundedShiftEnd[] =
    "</font></b> единиц, прибавляя эту величину к грузу в клетках со знаком \"плюс\" и "
    "отнимая ее от груза в клетках со знаком \"минус\".<BR>В результате перемещения по циклу "
    "получим новый план:<BR>";

constexpr char kUnsolvable[] =
    "<BR>Так как условия оптимальности опорного плана выполнены, но перевозка X<sub>%u,%u</sub>, "
    "равная %u, меньше суммарной величины нераспределенного груза/потребностей epsilon = %u, то "
    "транспортная задача <b>неразрешима из-за наложенных ограничений.</b>";
constexpr char kLeavingExtendedTask[] =
    "<BR>Так как перевозка X<sub>%u,%u</sub> = epsilon = %u, то перевозки между пунктами "
    "A<sub>i</sub> и B<sub>j</sub> (i=1..%u, j=1..%u) составляют опорный план задачи. Теперь "
    "избавимся от фиктивного поставщика A<sub>%u</sub> и фиктивного потребителя B<sub>%u</sub> "
    "и продолжим решение задачи.<BR>";

}  // namespace kargolo
