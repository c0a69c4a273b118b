#pragma once

// Texts the improvement methods write into the report and the status lines.

namespace kargolo {

constexpr char kStageHeader[] = "<p align=center><font size=\"+1\"><b>Этап %u</b></font></p>";
constexpr char kUserChangedPlan[] =
    "<p><b>В начале текущего этапа пользователь внес изменения в таблицу перевозок:</b></p>";
// The user went back a stage in a stepwise pause (a text of our own).
constexpr char kSteppedBack[] =
    "<p><b>Пользователь вернулся на этап назад: восстановлена таблица перевозок, с которой "
    "начинался предыдущий этап.</b></p>";
constexpr char kBasisZerosEnd[] = "</b><BR>";
constexpr char kEnteringCellTail[] =
    "</b>.<BR>Строим для нее цикл, помечая клетки цикла знаками \"плюс\" и \"минус\".<BR>";
constexpr char kShiftDone[] =
    "<BR>Перемещаем по циклу груз величиной в %u единиц, прибавляя эту величину к грузу в "
    "клетках со знаком \"плюс\" и отнимая ее от груза в клетках со знаком \"минус\".<BR>В "
    "результате перемещения по циклу получим новый план:<BR>";
constexpr char kStageF[] = "<BR><b>Целевая функция F= %lld</b><p>";
constexpr char kFChanged[] =
    "Значение целевой функции изменилось на %llu единиц по сравнению с предыдущим этапом.";

constexpr char kStatusCheckDegeneracy[] = "Проверяем план на невырожденность";
constexpr char kStatusEstimates[] = "Вычисляем оценки";
constexpr char kStatusCycle[] = "Находим цикл";
constexpr char kStatusShift[] = "Делаем смещение по циклу";
constexpr char kStatusStageF[] = "Целевая функция F= %lld";

// Our own line for a stage loop that came back to a basis it had already had: from here on the
// entering cell is the first cell in row-major order with a negative estimate, until the plan
// changes.
constexpr char kCyclingBroken[] =
    "<BR><i>Базис повторился без изменения плана: чтобы не зациклиться, в качестве новой "
    "базисной клетки берем первую по порядку клетку с отрицательной оценкой, пока план не "
    "изменится.</i><BR>";

// Method of potentials.
constexpr char kStatusPotentialsMethod[] = "Решение задачи методом потенциалов";
constexpr char kStatusDegenerate[] = "План вырожденный: число базисов = %u < m+n-1 = %u.";
constexpr char kStatusPotentials[] = "Находим потенциалы";
constexpr char kPotentialsDegenerate[] =
    "<BR>Опорный план является вырожденным, так как число занятых клеток меньше, чем "
    "m+n-1=%u.<BR>Сделаем его невырожденным, поместив базисные нули в клетки с координатами "
    "<b>(i,j): ";
constexpr char kPotentialsBasisZero[] = "(%u,%u)";
constexpr char kPotentialsIntro[] =
    "<BR>Полагая потенциал U<sub>1</sub>=0, определяем остальные потенциалы из соотношения "
    "<b>U<sub>i</sub>+V<sub>j</sub>=C<sub>i,j</sub>(i=1..m, j=1..n)</b>, просматривая все "
    "занятые клетки.<BR>Потенциалы <b>U<sub>i</sub>, V<sub>j</sub></b>:<BR>U<sub>1</sub>=0<BR>";
constexpr char kColumnPotential[] = "V<sub>%u</sub>=C<sub>%u,%u</sub>-U<sub>%u</sub>= <b>%s</b><br>";
// Our own lines for a potential set to 0 where the basis does not reach (closed routes can cut
// a task with limits in parts).
constexpr char kStartRowPotential[] = "U<sub>%u</sub>=0<BR>";
constexpr char kStartColumnPotential[] = "V<sub>%u</sub>=0<BR>";
constexpr char kRowPotential[] = "U<sub>%u</sub>=C<sub>%u,%u</sub>-V<sub>%u</sub>= <b>%s</b><br>";
constexpr char kPotentialsEstimatesIntro[] =
    "<BR>Определяем значения оценок <b>S<sub>i,j</sub>=C<sub>i,j</sub>-(U<sub>i</sub>+V<sub>j</sub>)"
    "</b> для всех свободных клеток  (<i>неоптимальные выделены красным цветом</i>)<BR>";
constexpr char kPotentialsEstimate[] =
    "%sS<sub>%u,%u</sub> = c<sub>%u,%u</sub> - (u<sub>%u</sub> + v<sub>%u</sub>) = %lli.%s<BR>";
constexpr char kPotentialsEnteringCell[] =
    "<BR>Если имеется несколько клеток с одним и тем же наименьшим значением оценки, то из них "
    "выбирается клетка, имеющая наименьший тариф. Наиболее потенциальной является клетка "
    "<b>(%i,%i)</b>. Для нее оценка равна <b>%lli";

// Distributive method.
constexpr char kStatusDistributiveMethod[] = "Решаем задачу распределительным методом";
constexpr char kDistributiveDegenerate[] =
    "<BR>Опорный план является вырожденным, так как число занятых клеток меньше, чем "
    "m+n-1=%u.<BR><BR>Сделаем его невырожденным, поместив базисные нули в клетки с "
    "координатами <b>(i,j): ";
constexpr char kDistributiveBasisZero[] = "(%u,%u) ";
constexpr char kDistributiveEstimatesIntro[] =
    "<BR>Определим значения оценок <b>S<sub>i,j</sub></b> для всех свободных клеток "
    "(<i>неоптимальные выделены красным цветом</i>).<BR>Для этого строим цикл для каждой "
    "свободной клетки и, перемещаясь по клеткам цикла, складываем тарифы клеток. При этом "
    "тарифы в нечетных клетках берутся со знаком \"плюс\", в четных - со знаком \"минус\".<BR>";
constexpr char kDistributiveEstimateStart[] = "S<sub>%u,%u</sub> =";
constexpr char kDistributiveEstimateTerm[] = "%cc<sub>%u,%u</sub>";
constexpr char kDistributiveEstimateEnd[] = " = %lli";
constexpr char kDistributiveEnteringCell[] =
    "<BR>Если имеется несколько клеток с одним и тем же наименьшим значением оценки, то из них "
    "выбирается клетка, имеющая наименьший тариф. Наиболее перспективной является клетка "
    "<b>(%i,%i)</b>. Для нее оценка равна <b>%lli";

}  // namespace kargolo
