#include "mapdata/LayerRecords.h"

#include "mapdata/DecimalText.h"
#include "mapdata/ProblemText.h"

namespace {

FieldFormat Text(const char* name) { return {FieldKind::Text, name, false}; }
FieldFormat Integer(const char* name) { return {FieldKind::Integer, name, false}; }
FieldFormat PointCount() { return {FieldKind::PointCount, "количество точек", false}; }
FieldFormat Points(bool mayExceedBlock) { return {FieldKind::PointList, "список точек", mayExceedBlock}; }
FieldFormat FirstPoint(const char* name) { return {FieldKind::FirstPoint, name, false}; }

std::string FieldLabel(size_t index, const FieldFormat& field) {
  return "поле " + std::to_string(index + 1) + " (" + field.Name + ")";
}

// The problem of a field the reader could not deliver whole.
bool TakeFieldStatus(FieldStatus status, size_t index, const FieldFormat& field, int recordsDeclared,
                     ReadRecordResult& result) {
  switch (status) {
    case FieldStatus::Ok:
      return true;
    case FieldStatus::TooLong:
      if (result.Problem.empty())
        result.Problem = FieldLabel(index, field) + " длиннее " + std::to_string(kReadBlockBytes - 1) + " байт";
      result.Outcome = ReadRecordResult::Bad;
      return true;
    case FieldStatus::Unterminated:
      result.Outcome = ReadRecordResult::End;
      result.Problem = "файл кончается внутри поля " + std::to_string(index + 1) + " (" + field.Name +
                       "): нет завершающего перевода строки";
      return false;
    case FieldStatus::NoData:
      result.Outcome = ReadRecordResult::End;
      if (index == 0)
        result.Problem = "записи нет: файл кончается раньше (указано записей: " + std::to_string(recordsDeclared) + ")";
      else
        result.Problem = "файл кончается посреди записи: нет поля " + std::to_string(index + 1) + " (" +
                         field.Name + ")";
      return false;
  }
  return false;
}

// The point count of the record, already checked (the PointCount field before
// the list); 1 for a single point.
int PairsWanted(const RecordFormat& format, const std::vector<std::string_view>& fields, FieldKind kind) {
  if (kind == FieldKind::FirstPoint) return 1;
  for (size_t i = 0; i < format.Fields.size(); ++i) {
    int32_t n = 0;
    if (format.Fields[i].Kind == FieldKind::PointCount && ParseDecimalInt(fields[i], n)) return n;
  }
  return 0;
}

std::string CheckField(const RecordFormat& format, size_t index, ReadRecordResult& result) {
  const FieldFormat& field = format.Fields[index];
  const std::string_view text = result.Fields[index];
  int32_t value = 0;
  switch (field.Kind) {
    case FieldKind::Text:
      return {};
    case FieldKind::Integer:
      if (ParseDecimalInt(text, value)) return {};
      return std::string(field.Name) + " " + QuotedValue(text) + " не является целым числом";
    case FieldKind::PointCount:
      if (!ParseDecimalInt(text, value))
        return std::string(field.Name) + " " + QuotedValue(text) + " не является целым числом";
      if (value < 0 || value > kMaxPointsPerRecord)
        return std::string(field.Name) + " " + std::to_string(value) + " вне пределов от 0 до " +
               std::to_string(kMaxPointsPerRecord);
      return {};
    case FieldKind::PointList:
    case FieldKind::FirstPoint: {
      const int pairs = PairsWanted(format, result.Fields, field.Kind);
      result.Points.clear();
      if (AppendPointList(text, pairs, result.Points)) return {};
      return ParsePointList(text, pairs).Problem;
    }
  }
  return {};
}

}  // namespace

const RecordFormat& StreetRecordFormat() {
  static const RecordFormat format{{Text("название"), Text("тип"), Integer("ширина"), PointCount(), Points(true)}};
  return format;
}

const RecordFormat& BuildingRecordFormat() {
  static const RecordFormat format{{Text("улица"), Text("номер"), Text("название"), PointCount(), Points(true)}};
  return format;
}

const RecordFormat& RouteRecordFormat() {
  static const RecordFormat format{
      {Text("тип маршрута"), Text("название"), Text("комментарий"), PointCount(), Points(false)}};
  return format;
}

const RecordFormat& LabelRecordFormat() {
  static const RecordFormat format{{Text("текст"), Integer("размер"), FirstPoint("координаты")}};
  return format;
}

const RecordFormat& RegionRecordFormat() {
  static const RecordFormat format{{Text("тип области"), PointCount(), Points(false), Text("количество номеров"),
                                    Text("координаты номеров")}};
  return format;
}

const RecordFormat& ObjectRecordFormat() {
  static const RecordFormat format{{Text("вид объекта"), Text("улица"), Text("номер"), Text("название"),
                                    FirstPoint("координаты"), Integer("номер значка")}};
  return format;
}

const RecordFormat& FirmRecordFormat() {
  static const RecordFormat format{
      {Text("название"), Text("улица"), Text("номер"), FirstPoint("координаты"), Text("ключевые слова")}};
  return format;
}

void ReadRecord(FieldSource& reader, const RecordFormat& format, int recordsDeclared, ReadRecordResult& result) {
  result.Outcome = ReadRecordResult::Ok;
  result.Problem.clear();
  result.Points.clear();
  result.Fields.assign(format.Fields.size(), std::string_view());
  for (size_t i = 0; i < format.Fields.size(); ++i) {
    const FieldStatus status = reader.NextField(result.Fields[i], format.Fields[i].MayExceedBlock);
    if (!TakeFieldStatus(status, i, format.Fields[i], recordsDeclared, result)) return;
  }
  if (result.Outcome == ReadRecordResult::Bad) return;
  for (size_t i = 0; i < format.Fields.size(); ++i) {
    std::string problem = CheckField(format, i, result);
    if (!problem.empty()) {
      result.Outcome = ReadRecordResult::Bad;
      result.Problem = std::move(problem);
      return;
    }
  }
}

ReadRecordResult ReadRecord(FieldSource& reader, const RecordFormat& format, int recordsDeclared) {
  ReadRecordResult result;
  ReadRecord(reader, format, recordsDeclared, result);
  return result;
}
