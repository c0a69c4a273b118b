#pragma once

// Texts of the printed sets of variants: the students' sheets and the teacher's key.

namespace kargolo {

// Both documents: windows-1251 like the reports, A4 pages, tables with lines.
constexpr char kSheetHead[] =
    "<html><head><Title>%s</title>"
    "<META http-equiv=Content-Type content=\"text/html; charset=windows-1251\">"
    "<STYLE type=text/css><!--"
    "body {font: 11pt Arial, Helvetica, sans-serif;} "
    "table {font: 11pt Arial, Helvetica, sans-serif; border-collapse: collapse;} "
    "td, th {text-align: center; padding: 2pt 6pt;} "
    "@page {size: A4; margin: 2cm;}"
    "--></STYLE></head><body>";
constexpr char kSheetEnd[] = "</body></html>";

constexpr char kVariantsTitle[] = "Карголо 2.0 - варианты заданий";
constexpr char kKeyTitle[] = "Карголо 2.0 - ответы к вариантам";

// Each variant after the first begins a new printed page.
constexpr char kNextPage[] = "<div style=\"page-break-before: always\"></div>";
constexpr char kVariantHeading[] = "<h2>Вариант %u</h2>";
constexpr char kStudentLine[] =
    "<p>Фамилия, имя, группа: ________________________________________________</p>";
constexpr char kTaskStatement[] =
    "<p>Составьте план перевозок груза от поставщиков A<sub>1</sub>&ndash;A<sub>%u</sub> к "
    "потребителям B<sub>1</sub>&ndash;B<sub>%u</sub>, при котором суммарная стоимость перевозок "
    "наименьшая. Найдите опорный план, проверьте его на оптимальность и улучшите до "
    "оптимального. Запишите оптимальный план и значение целевой функции F.</p>";
constexpr char kLimitsStatement[] =
    "<p>Перевозка по маршруту (i,j) не может превышать его пропускной способности "
    "D<sub>i,j</sub>.</p>";
constexpr char kTariffsCaption[] =
    "<p><b>Тарифы c<sub>i,j</sub> (стоимость перевозки единицы груза), запасы груза и "
    "потребности:</b></p>";
constexpr char kLimitsCaption[] =
    "<p><b>Пропускные способности маршрутов D<sub>i,j</sub></b> (M &mdash; без ограничения, "
    "0 &mdash; маршрут закрыт):</p>";
constexpr char kSupplierCorner[] = "Поставщик";
constexpr char kSuppliesHeader[] = "Запасы груза";
constexpr char kDemandsRow[] = "Потребности";
constexpr char kAnswerLine[] = "<p>Ответ: F = ____________________</p>";

constexpr char kKeyHeading[] = "<h2>Ответы к вариантам</h2>";
constexpr char kKeySeed[] =
    "<p>Вариантов: %u. Зерно случайных чисел: %llu (с теми же параметрами и этим зерном "
    "генератор составит те же задачи).</p>";
constexpr char kKeySummaryHeader[] =
    "<table border=1 cellpadding=4 cellspacing=0><tr><th rowspan=2>Вариант</th>"
    "<th colspan=4>F опорного плана</th><th rowspan=2>F оптимальное</th>"
    "<th rowspan=2>Этапов</th></tr><tr><th>северо-западный угол</th>"
    "<th>минимальный элемент</th><th>метод Фогеля</th><th>двойное предпочтение</th></tr>";
constexpr char kKeyStagesNote[] =
    "<p>Этапы метода потенциалов считаются от опорного плана северо-западного угла (в задаче с "
    "ограничениями &mdash; от опорного плана с ограничениями), так же как в отчете о решении: на "
    "последнем этапе план оказывается оптимальным.</p>";
// The lines of a variant's answer stay on the page of its plan.
constexpr char kKeyVariantHeading[] = "<h3>Вариант %u (%s)</h3>";
constexpr char kKeyOptimum[] =
    "<p style=\"page-break-after: avoid\">F оптимальное = <b>%lld</b>; этапов метода "
    "потенциалов: %u.</p>";
constexpr char kKeyFirstPlans[] =
    "<p style=\"page-break-after: avoid\">F опорного плана: по правилу северо-западного угла "
    "%lld, минимального элемента %lld, методом Фогеля %lld, методом двойного предпочтения "
    "%lld.</p>";
constexpr char kKeyBoundedFirstPlan[] =
    "<p style=\"page-break-after: avoid\">Опорный план с учетом ограничений (правило "
    "минимального элемента): F = %lld.</p>";
constexpr char kKeyPlanCaption[] =
    "<p style=\"page-break-after: avoid\">Оптимальный план X<sub>i,j</sub> (пустая клетка "
    "&mdash; 0):</p>";
constexpr char kKeyUnsolvable[] =
    "<p><b>Задача неразрешима из-за ограничений:</b> при данных пропускных способностях часть "
    "груза доставить нельзя.</p>";
constexpr char kKeyUnsolvableCell[] = "неразрешима";

// Sets of other kinds are written without the documents to print.
constexpr char kSheetsOnlyTransport[] =
    "Листы для печати (варианты и ключ) составляются только для транспортной задачи; для задачи "
    "по критерию времени и задачи о назначениях записываются файлы задач и answers.csv.";

}  // namespace kargolo
