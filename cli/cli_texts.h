#pragma once

// Texts of the command-line solver.

namespace kargolo {

constexpr char kUsage[] =
    "Использование: kargolo-solve ЗАДАЧА.tab|ЗАДАЧА.csv [-o ОТЧЕТ.html]\n"
    "                     [--mode checking|detailed|stepwise]\n"
    "                     [--plan north-west|minimum|vogel|double]\n"
    "                     [--method potentials|distributive] [--estimates lines|table|both]\n"
    "                     [--limits] [--plan-only] [--max-report-mb N] [--verbose]\n"
    "                     [--maximize] [--alternatives] [--json ОТВЕТ.json|-]\n"
    "                     [--compare [--csv]] [--svg СХЕМА.svg] [--docx ОТЧЕТ.docx]\n"
    "       kargolo-solve ЗАДАЧА --check ПЛАН.csv [--stated-f F] [--json ИТОГ.json|-]\n"
    "                     [--limits] [-o ПРОВЕРКА.html] [--docx ПРОВЕРКА.docx]\n"
    "       kargolo-solve --kind time ЗАДАЧА.tab|ЗАДАЧА.csv [-o ОТЧЕТ.html]\n"
    "                     [--mode РЕЖИМ] [--plan ПРАВИЛО] [--limits] [--plan-only]\n"
    "                     [--json ОТВЕТ.json|-] [--compare [--csv]] [--verbose] [--docx ОТЧЕТ.docx]\n"
    "       kargolo-solve --kind assignment МАТРИЦА.csv [--maximize] [-o ОТЧЕТ.html]\n"
    "                     [--mode РЕЖИМ] [--json ОТВЕТ.json|-] [--verbose] [--docx ОТЧЕТ.docx]\n"
    "       kargolo-solve --generate N --size MxN --out ПАПКА [--type closed|surplus|deficit]\n"
    "                     [--degenerate] [--tariffs LO..HI] [--limits P] [--tightness T]\n"
    "                     [--allow-unsolvable] [--unique] [--seed S] [--sheets]\n"
    "                     [--kind time | --kind assignment [--maximize] [--forbidden P]]\n";

constexpr char kHelp[] =
    "Решает транспортную задачу из табличного (.tab) или текстового (.csv) файла и пишет\n"
    "отчет о решении (HTML, windows-1251) в файл -o или в стандартный вывод.\n"
    "\n"
    "  -o ФАЙЛ            записать отчет в ФАЙЛ (он заменяется только целиком)\n"
    "  --mode РЕЖИМ       checking - только результат, detailed - весь ход решения\n"
    "                     (по умолчанию), stepwise - пошаговый режим без остановок\n"
    "  --plan ПРАВИЛО     опорный план: north-west (по умолчанию), minimum, vogel, double\n"
    "  --method МЕТОД     potentials (по умолчанию) или distributive\n"
    "  --estimates ВИД    оценки: lines (по умолчанию), table или both\n"
    "  --limits           решать с ограничениями пропускных способностей\n"
    "  --plan-only        только найти опорный план\n"
    "  --max-report-mb N  предельный размер отчета в мегабайтах (по умолчанию 1024, 0 - без\n"
    "                     предела); дальше ход решения не записывается, а условие, опорный\n"
    "                     план и ответ записываются всегда, так что отчет бывает и больше\n"
    "  --verbose          выводить строки состояния в поток ошибок\n"
    "  --maximize         тарифы - прибыль, искать наибольшую (как цель \"максимум\" в файле)\n"
    "  --alternatives     выяснить, единственный ли оптимальный план, и показать другой\n"
    "  --json ФАЙЛ        записать итог решения в JSON (UTF-8): статус, F, план, число\n"
    "                     этапов; \"-\" - в стандартный вывод (тогда отчет - только в -o)\n"
    "  --compare          вместо отчета - таблица сравнения всех правил опорного плана и\n"
    "                     методов улучшения (HTML), с --csv - строки через \";\"\n"
    "  --svg ФАЙЛ         записать схему перевозок оптимального плана (SVG)\n"
    "  --docx ФАЙЛ        записать отчет (или таблицу сравнения) документом Word; отчет HTML\n"
    "                     тогда пишется, только если указан -o\n"
    "\n"
    "Проверка решения (--check ПЛАН.csv): план - m строк по n перевозок (разделители как в\n"
    ".csv-задачах, пустое значение - 0). Отчет о проверке: баланс запасов и потребностей,\n"
    "ограничения, опорность (m+n-1 клеток, нет цикла), F, оптимальность.\n"
    "  --stated-f F       значение F, найденное студентом: сверить со стоимостью плана\n"
    "  --json ФАЙЛ        итог проверки в JSON для программ; \"-\" - в стандартный вывод\n"
    "\n"
    "  --kind ВИД         transport - транспортная задача (по умолчанию), time - транспортная\n"
    "                     задача по критерию времени (в таблице вместо тарифов времена\n"
    "                     перевозок), assignment - задача о назначениях венгерским методом\n"
    "                     (файл .csv: по строке матрицы на исполнителя, значения через \";\",\n"
    "                     M - запрещенное назначение)\n"
    "  --maximize         с --kind assignment: элементы матрицы - эффекты, искать\n"
    "                     наибольшую сумму\n"
    "\n"
    "Случайные задачи для упражнений (--generate N): N табличных файлов и answers.csv с\n"
    "ответами в папке --out.\n"
    "  --size MxN         M поставщиков и N потребителей\n"
    "  --type ТИП         closed - закрытая (по умолчанию), surplus - запасы больше\n"
    "                     потребностей, deficit - меньше\n"
    "  --degenerate       вырожденная задача: часть запасов равна части потребностей\n"
    "  --tariffs LO..HI   пределы тарифов (по умолчанию 1..9)\n"
    "  --limits P         ограничить пропускные способности P% маршрутов\n"
    "  --tightness T      ограничения до T% ниже min(a_i, b_j) (по умолчанию 50)\n"
    "  --allow-unsolvable допускать задачи, неразрешимые из-за ограничений\n"
    "  --unique           только задачи с единственным оптимальным планом\n"
    "  --seed S           зерно случайных чисел: одно зерно - одни и те же задачи\n"
    "  --sheets           еще и листы для печати: variants.html и variants.docx (каждый\n"
    "                     вариант на своей странице), key.html и key.docx (ответы); только для\n"
    "                     транспортной задачи\n"
    "  --kind time        задачи по критерию времени (--tariffs - пределы времен)\n"
    "  --kind assignment  матрицы задачи о назначениях MxN (файлы .csv, --tariffs - пределы\n"
    "                     значений; --maximize - на максимум, --forbidden P - P% запрещенных\n"
    "                     клеток)\n"
    "  --help             эта справка\n"
    "\n"
    "Коды завершения: 0 - решено, 1 - ошибка в командной строке, 2 - ошибка файла\n"
    "или входных данных, 3 - внутренняя ошибка (отчет до места ошибки записан).\n";

constexpr char kUnknownOption[] = "Неизвестный параметр: %s\n";
constexpr char kMissingValue[] = "Параметр %s требует значения.\n";
constexpr char kBadValue[] = "Недопустимое значение параметра %s: %s\n";
constexpr char kNoTaskFile[] = "Не указан файл задачи.\n";
constexpr char kTwoTaskFiles[] = "Указано больше одного файла задачи: %s\n";
constexpr char kTaskWithGenerate[] = "С --generate файл задачи не указывается: %s\n";
constexpr char kMissingOption[] = "Не указан параметр %s.\n";
constexpr char kGenerateOnly[] = "Параметр %s задается только вместе с --generate.\n";
constexpr char kNotTogether[] = "Параметры %s и %s не сочетаются.\n";
constexpr char kOnlyWithCheck[] = "Параметр %s задается только вместе с --check.\n";
constexpr char kJsonWithReportOut[] =
    "Итог в стандартный вывод (--json -) нужен отдельно от отчета: задайте файл отчета -o.\n";

constexpr char kGenerated[] = "Записано задач: %u в папку %s (зерно %llu).\n";
constexpr char kFolderError[] = "Не удалось создать папку %s.\n";


// Files written beside the report: what they are, then where.
constexpr char kDocxFileKind[] = "Файл документа Word";
constexpr char kJsonFileKind[] = "Файл результата проверки";
constexpr char kOutcomeFileKind[] = "Файл итога решения";
constexpr char kOutputIsInput[] = "%s совпадает с файлом задачи, плана или отчета: %s\n";
constexpr char kOutputReadOnly[] = "%s защищен от записи и оставлен как есть: %s\n";

constexpr char kReportIsTask[] = "Файл отчета совпадает с файлом задачи: %s\n";
constexpr char kReportReadOnly[] = "Файл отчета защищен от записи и оставлен как есть: %s\n";

constexpr char kMatrixNotText[] =
    "Матрица задачи о назначениях читается из текстового файла (.csv): %s\n";

constexpr char kUnknownFailure[] = "Неизвестная ошибка. Решение остановлено";
constexpr char kFailedCheck[] = "Нарушена внутренняя проверка: %s\n";

}  // namespace kargolo
