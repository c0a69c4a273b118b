#pragma once

// A set of variants for a class: tasks 1..N of one seed's series with their answers, written as
// the task files and answers.csv, and for printing as two documents (HTML, and the same as Word
// documents): the variants, each condition on a page of its own with the variant's number and
// a line for the student's name, and the key for the teacher (per variant the optimal F and
// plan, F of the first plan by each rule and the number of stages).

#include <filesystem>
#include <string>
#include <vector>

#include "documents/exercise_generator.h"

namespace kargolo {

struct VariantSet {
    ExerciseOptions Options;
    std::vector<GeneratedExercise> Variants;
    std::vector<ExerciseAnswer> Answers;  // of a transportation task's variants only
    std::string Failure;  // a variant could not be made: the generator's reason; no variants
};

// The first `count` tasks of the series of options.Seed (of options.Kind), each transportation
// task with its answer.
VariantSet MakeVariantSet(const ExerciseOptions& options, unsigned count);

// The file name of variant k (from 0) of a set of `count`: variant-01.tab (variant-01.csv for an
// assignment) and so on.
std::string VariantFileName(unsigned k, unsigned count,
                            ExerciseKind kind = ExerciseKind::Transport);

// The documents to print (UTF-8 HTML).
std::string VariantsHtml(const VariantSet& set);
std::string KeyHtml(const VariantSet& set);

// The names of the printed documents in a set's folder.
constexpr char kVariantsName[] = "variants";
constexpr char kKeyName[] = "key";

// A file of a set: its name in the set's folder and its bytes.
struct NamedBytes {
    std::string Name;
    std::string Bytes;
};

// The files of the set: the task files of its kind, answers.csv and, with sheets, variants and
// key as .html (windows-1251, as the reports) and .docx. Returns a message, and no files, when
// the documents would be too large for Word or the set is of another kind than the
// transportation task (sheets are made for that only); else an empty text.
std::string VariantSetFiles(const VariantSet& set, bool sheets, std::vector<NamedBytes>& files);

// Writes the set into folder: the task files and answers.csv, with sheets also variants and key
// as .html (windows-1251, as the reports) and .docx. A file is replaced only when written whole.
// Returns a message for the user, or an empty text when everything was written.
std::string WriteVariantSet(const std::filesystem::path& folder, const VariantSet& set,
                            bool sheets);

// The files of the set with its sheets as one zip archive (for a browser's downloads); a message
// and no archive as VariantSetFiles.
std::string VariantSetArchive(const VariantSet& set, std::string& archive);

}  // namespace kargolo
