#pragma once
// The record layouts of the data files and the reading of one record: every
// field taken from the reader, then the fields that must be numbers checked, so
// that no row ever gets a number cell that does not convert.  The loaders and
// the data check (CityCheck) read through this one path.
#include <string>
#include <string_view>
#include <vector>

#include "mapdata/FieldReaders.h"
#include "mapdata/PointList.h"

enum class FieldKind {
  Text,        // kept as read
  Integer,     // a decimal integer
  PointCount,  // a decimal integer from 0 to 150
  PointList,   // as many pairs as the record's point count field says
  FirstPoint,  // a point list of which one pair is used
};

struct FieldFormat {
  FieldKind Kind = FieldKind::Text;
  const char* Name = "";        // for messages (UTF-8): "ширина", "количество точек"
  bool MayExceedBlock = false;  // the long point lists of streets and buildings
};

struct RecordFormat {
  std::vector<FieldFormat> Fields;
};

// The fields of each record layout, in file order.
namespace street_field { enum : size_t { Name, Type, Width, PointCount, Points }; }
namespace building_field { enum : size_t { Street, Number, Name, PointCount, Points }; }
namespace route_field { enum : size_t { Type, Name, Comment, PointCount, Points }; }
namespace label_field { enum : size_t { Text, Size, Position }; }
namespace region_field { enum : size_t { Type, PointCount, Points, NumberCount, NumberPoints }; }
namespace object_field { enum : size_t { Kind, Street, Number, Name, Position, Icon }; }
namespace firm_field { enum : size_t { Name, Street, Number, Position, Keywords }; }

// Record layouts, field by field in file order.
const RecordFormat& StreetRecordFormat();    // name, type, width, point count, points
const RecordFormat& BuildingRecordFormat();  // street, number, name, point count, points
const RecordFormat& RouteRecordFormat();     // type, name, comment, point count, points
const RecordFormat& LabelRecordFormat();     // text, size, position
const RecordFormat& RegionRecordFormat();    // type, point count, points, number count, number positions
const RecordFormat& ObjectRecordFormat();    // kind, street, number, name, coordinates, icon
const RecordFormat& FirmRecordFormat();      // name, street, number, coordinates, keywords

struct ReadRecordResult {
  enum Status {
    Ok,
    Bad,  // a field is wrong, but every field was read: the next record can follow
    End,  // the data ran out inside or before the record: nothing can follow
  };
  Status Outcome = Ok;
  std::string Problem;                   // UTF-8, for Bad and End
  std::vector<std::string_view> Fields;  // Windows-1251, as read: views into the reader's bytes
  std::vector<MapPoint> Points;          // the point list's (or the first point's) pairs
};

// Reads the next record into `record`, whose buffers are reused from record to
// record.  `recordsDeclared` is only for the text of a problem when the data
// runs out before the record.
void ReadRecord(FieldSource& reader, const RecordFormat& format, int recordsDeclared, ReadRecordResult& record);
ReadRecordResult ReadRecord(FieldSource& reader, const RecordFormat& format, int recordsDeclared);
