// Writes a synthetic BOM database for benchmarks: the schema and procedures
// of the demo database, filled with a given number of BOM headers and
// component rows. The content is made up but deterministic and shaped like
// the real thing: one made item per header, purchased items for the rest,
// about one component in eight a sub-assembly with a BOM of its own; some
// 2,400 distinct names among the made items, or with --distinct-names a name
// of its own for every item (a serial number after the made-up name).
//
//   generate_bomdb <output file> <headers> <component rows> [--distinct-names]

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string readFile(const char *path) {
  std::ifstream in(path, std::ios::binary);
  if (!in)
    throw Failure(std::string("cannot read ") + path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A linear congruential generator: the same numbers on every platform.
class Numbers {
public:
  unsigned next(unsigned bound) {
    m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
    return unsigned((m_state >> 33) % bound);
  }

private:
  unsigned long long m_state = 20240601;
};

// A value to bind: text (null when `isNull`), integer or real.
struct Value {
  enum Kind { Null, Text, Integer, Real } kind;
  std::string text;
  long long integer = 0;
  double real = 0;

  Value() : kind(Null) {}
  Value(const std::string &t) : kind(Text), text(t) {}
  Value(const char *t) : kind(Text), text(t) {}
  Value(long long i) : kind(Integer), integer(i) {}
  Value(int i) : kind(Integer), integer(i) {}
  Value(double r) : kind(Real), real(r) {}
};

class Database {
public:
  explicit Database(const std::string &path) {
    std::remove(path.c_str());
    if (sqlite3_open(path.c_str(), &m_handle) != SQLITE_OK)
      throw Failure("cannot create " + path);
  }
  ~Database() { sqlite3_close(m_handle); }
  Database(const Database &) = delete;
  Database &operator=(const Database &) = delete;

  void exec(const std::string &sql) {
    char *message = nullptr;
    if (sqlite3_exec(m_handle, sql.c_str(), nullptr, nullptr, &message) !=
        SQLITE_OK) {
      const std::string text = message ? message : "unknown error";
      sqlite3_free(message);
      throw Failure(text);
    }
  }

  // Inserts rows into one table through one prepared statement.
  class Inserter {
  public:
    Inserter(Database &db, const std::string &table, int columns) : m_db(db) {
      std::string sql = "INSERT INTO " + table + " VALUES (";
      for (int i = 0; i < columns; ++i)
        sql += i ? ",?" : "?";
      sql += ")";
      if (sqlite3_prepare_v2(db.m_handle, sql.c_str(), -1, &m_statement,
                             nullptr) != SQLITE_OK)
        db.fail();
    }
    ~Inserter() { sqlite3_finalize(m_statement); }
    Inserter(const Inserter &) = delete;
    Inserter &operator=(const Inserter &) = delete;

    void row(const std::vector<Value> &values) {
      for (int i = 0; i < int(values.size()); ++i) {
        const Value &v = values[i];
        switch (v.kind) {
        case Value::Null:
          sqlite3_bind_null(m_statement, i + 1);
          break;
        case Value::Text:
          sqlite3_bind_text(m_statement, i + 1, v.text.c_str(),
                            int(v.text.size()), SQLITE_TRANSIENT);
          break;
        case Value::Integer:
          sqlite3_bind_int64(m_statement, i + 1, v.integer);
          break;
        case Value::Real:
          sqlite3_bind_double(m_statement, i + 1, v.real);
          break;
        }
      }
      if (sqlite3_step(m_statement) != SQLITE_DONE)
        m_db.fail();
      sqlite3_reset(m_statement);
    }

  private:
    Database &m_db;
    sqlite3_stmt *m_statement = nullptr;
  };

private:
  [[noreturn]] void fail() { throw Failure(sqlite3_errmsg(m_handle)); }
  sqlite3 *m_handle = nullptr;
};

const char *const Prefixes[] = {"精密", "高速", "重型",   "微型",   "标准",
                                "加强", "防爆", "不锈钢", "铝合金", "低噪音"};
const char *const Nouns[] = {"减速机", "电机",   "齿轮箱", "控制柜",
                             "输送机", "泵体",   "阀门",   "支架",
                             "轴承座", "联轴器", "传感器", "电路板"};
const char *const Series[] = {"",    "A型", "B型", "C型", "D型", "E型", "F型",
                              "G型", "H型", "J型", "K型", "L型", "M型", "N型",
                              "P型", "Q型", "R型", "S型", "T型", "W型"};
const char *const RawNouns[] = {"钢板", "圆钢", "铝型材", "螺栓",
                                "螺母", "垫圈", "电阻",   "电容",
                                "芯片", "轴承", "油封",   "纸箱"};

std::string number(const char *pattern, long long value) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

void writeClasses(Database &db) {
  Database::Inserter classes(db, "InventoryClass", 4);
  const char *const tops[] = {"原材料", "半成品", "产成品", "辅助材料"};
  for (int top = 0; top < 4; ++top) {
    const std::string topCode = number("%02lld", top + 1);
    classes.row({topCode, tops[top], 1, 0});
    for (int mid = 0; mid < 2; ++mid) {
      const std::string midCode = topCode + number("%02lld", mid + 1);
      classes.row(
          {midCode, std::string(tops[top]) + number("%lld类", mid + 1), 2, 0});
      for (int leaf = 0; leaf < 2; ++leaf)
        classes.row({midCode + number("%02lld", leaf + 1),
                     std::string(Nouns[(top * 4 + mid * 2 + leaf) % 12]) + "类",
                     3, 1});
    }
  }
  Database::Inserter units(db, "ComputationUnit", 2);
  const char *const unitNames[] = {"个", "件", "台", "套", "千克"};
  for (int i = 0; i < 5; ++i)
    units.row({number("%02lld", i + 1), unitNames[i]});
  Database::Inserter departments(db, "Department", 2);
  departments.row({"01", "机加车间"});
  departments.row({"02", "装配车间"});
}

// Leaf class codes in the order writeClasses() makes them.
std::string leafClass(unsigned index) {
  const unsigned top = index / 4 % 4, mid = index / 2 % 2, leaf = index % 2;
  return number("%02lld", top + 1) + number("%02lld", mid + 1) +
         number("%02lld", leaf + 1);
}

void generate(const std::string &path, long long headers, long long rows,
              bool distinctNames) {
  Database db(path);
  db.exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;");
  db.exec(readFile(BOMDB_SCHEMA_SQL));
  db.exec(readFile(BOMDB_PROCEDURES_SQL));
  db.exec("BEGIN");
  writeClasses(db);

  Numbers random;
  const long long purchased = headers / 5 > 100 ? headers / 5 : 100;
  Database::Inserter items(db, "inventory", 6);
  Database::Inserter parts(db, "bas_part", 12);
  // Made items 0 .. headers-1 (parts 1 ..), then purchased items.
  for (long long i = 0; i < headers + purchased; ++i) {
    const bool made = i < headers;
    const unsigned kind = random.next(12);
    const std::string cls = leafClass(made ? 8 + kind % 8 : kind % 8);
    const std::string code = cls + number("%08lld", i + 1);
    std::string name = RawNouns[kind];
    if (made) {
      const unsigned prefix = random.next(10);
      name =
          std::string(Prefixes[prefix]) + Nouns[kind] + Series[random.next(20)];
    }
    if (distinctNames)
      name += number("%lld", i + 1);
    const Value addCode = i % 9 == 0 ? Value() : Value(number("A%08lld", i));
    const Value model =
        i % 11 == 0 ? Value()
                    : Value(number("XH-%lld型", 100 + random.next(9000)));
    items.row({code, addCode, name, model, cls,
               number("%02lld", made ? 3 : 1 + random.next(5))});
    parts.row({i + 1, code, i % 5 == 0 ? Value("灰色") : Value(), Value(),
               Value(), Value(), Value(), Value(), Value(), Value(), Value(),
               Value()});
  }

  Database::Inserter boms(db, "bom_bom", 11);
  Database::Inserter parents(db, "bom_parent", 2);
  Database::Inserter components(db, "bom_opcomponent", 12);
  const int statuses[] = {3, 3, 3, 1, 3, 4, 3, 3};
  long long component = 0;
  for (long long i = 0; i < headers; ++i) {
    const long long bomId = i + 1;
    const bool alternative = i % 10 == 9;
    const int status = i % 1000 == 999 ? 2 : statuses[i % 8];
    const std::string effective =
        number("20%02lld-", 18 + i % 7) + number("%02lld-", 1 + i % 12) +
        number("%02lld ", 1 + i % 28) +
        (i % 3 ? "00:00:00" : number("%02lld:30:00", 8 + i % 10));
    boms.row({bomId, alternative ? 2 : 1, 1 + int(i % 3),
              i % 4 ? Value(number("第%lld版", 1 + i % 3)) : Value(), effective,
              status == 4 ? "2023-12-31 17:30:00" : "2099-12-31 00:00:00",
              alternative ? Value("A1") : Value(),
              alternative ? Value("替代方案") : Value(), status,
              i % 6 ? Value("张工") : Value(), effective});
    parents.row({bomId, i + 1});

    const long long end = (i + 1) * rows / headers;
    for (int seq = 1; component < end; ++component, ++seq) {
      // Sub-assemblies only point further down the list, so the
      // structure has no cycles and a bounded depth.
      const bool sub = random.next(8) == 0 && i + 1 < headers;
      const long long partId =
          sub ? i + 2 + random.next(unsigned(std::min(50LL, headers - i - 1)))
              : headers + 1 + random.next(unsigned(purchased));
      const long long quantity = 1 + random.next(40);
      const long long per = random.next(4) == 0 ? 4 : 1;
      components.row({component + 1, bomId, seq * 10 % 10000, partId, quantity,
                      per, random.next(5) == 0 ? Value(quantity * 2) : Value(),
                      0, 1, sub ? "02" : "01", sub ? "02" : "01", Value()});
    }
  }
  db.exec("COMMIT");
}

} // namespace

int main(int argc, char **argv) {
  const bool distinctNames =
      argc == 5 && std::string(argv[4]) == "--distinct-names";
  if (argc != 4 && !distinctNames) {
    std::fprintf(stderr,
                 "usage: generate_bomdb <output file> <headers> <component "
                 "rows> [--distinct-names]\n");
    return 2;
  }
  const long long headers = std::atoll(argv[2]);
  const long long rows = std::atoll(argv[3]);
  if (headers < 1 || rows < 0) {
    std::fprintf(stderr, "generate_bomdb: headers must be at least 1\n");
    return 2;
  }
  try {
    generate(argv[1], headers, rows, distinctNames);
  } catch (const Failure &failure) {
    std::fprintf(stderr, "generate_bomdb: %s\n", failure.what());
    return 1;
  }
  return 0;
}
