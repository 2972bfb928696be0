#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace wendaro {

// Seconds since the reference date, 2001-01-01 00:00:00 UTC.
struct Date {
  double secondsSinceReferenceDate = 0;
  friend bool operator==(const Date&, const Date&) = default;
};

// One typed value of the defaults store.
class Value {
 public:
  using Data = std::vector<std::uint8_t>;
  using Array = std::vector<Value>;
  using Dictionary = std::map<std::string, Value>;
  enum class Kind { String, Data, Boolean, Integer, Real, Date, Array, Dictionary };

  Value() : value_(std::string()) {}
  Value(std::string s) : value_(std::move(s)) {}
  Value(const char* s) : value_(std::string(s)) {}
  Value(Data d) : value_(std::move(d)) {}
  Value(bool b) : value_(b) {}
  Value(std::int64_t i) : value_(i) {}
  Value(int i) : value_(static_cast<std::int64_t>(i)) {}
  Value(double r) : value_(r) {}
  Value(Date d) : value_(d) {}
  Value(Array a) : value_(std::move(a)) {}
  Value(Dictionary d) : value_(std::move(d)) {}

  Kind kind() const { return static_cast<Kind>(value_.index()); }

  bool isString() const { return kind() == Kind::String; }
  bool isData() const { return kind() == Kind::Data; }
  bool isBoolean() const { return kind() == Kind::Boolean; }
  bool isInteger() const { return kind() == Kind::Integer; }
  bool isReal() const { return kind() == Kind::Real; }
  bool isDate() const { return kind() == Kind::Date; }
  bool isArray() const { return kind() == Kind::Array; }
  bool isDictionary() const { return kind() == Kind::Dictionary; }

  // The accessors require the matching kind.
  const std::string& string() const { return std::get<std::string>(value_); }
  const Data& data() const { return std::get<Data>(value_); }
  bool boolean() const { return std::get<bool>(value_); }
  std::int64_t integer() const { return std::get<std::int64_t>(value_); }
  double real() const { return std::get<double>(value_); }
  Date date() const { return std::get<Date>(value_); }
  const Array& array() const { return std::get<Array>(value_); }
  const Dictionary& dictionary() const { return std::get<Dictionary>(value_); }

  // Deep comparison: same kind and same contents, recursively.
  friend bool operator==(const Value& a, const Value& b) { return a.value_ == b.value_; }

 private:
  std::variant<std::string, Data, bool, std::int64_t, double, Date, Array, Dictionary> value_;
};

// Convenience builders for the common shapes.
Value stringArrayValue(const std::vector<std::string>& strings);
Value dataArrayValue(const std::vector<Value::Data>& blobs);

}  // namespace wendaro
