#pragma once

#include "platform/database/dbconnection.h"
#include "platform/dataset/field.h"
#include "platform/results/resulttable.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

class LongWork;

// A query object: SQL text held as lines, opened on the shared connection
// with its whole result fetched to the client. It is the dataset a grid
// shows: a record cursor (current record, beginning and end flags, record
// numbers, bookmarks), fields read at the active record, and a client-side
// sort. Navigation on a closed query throws DatabaseError
// "<name>: Cannot perform this operation on a closed dataset".
class Query : public QObject {
  Q_OBJECT
public:
  // A record that survives sorting: its row in the fetched result.
  using Bookmark = int;

  explicit Query(QString name, QObject *parent = nullptr);
  ~Query() override;

  const QString &name() const { return m_name; }
  void setConnection(DbConnection *connection) { m_connection = connection; }

  // The SQL text: lines sent joined with CR LF.
  void clearSql() { m_sql.clear(); }
  void addSqlLine(const QString &line) { m_sql.append(line); }
  const QStringList &sqlLines() const { return m_sql; }
  QString sqlText() const;

  // Columns the result must hold, with the types they are stored as.
  void declareField(FieldDef def);
  const std::vector<FieldDef> &declaredFields() const { return m_declared; }

  // Sends the text and fetches every row; the first record becomes current.
  // Throws DatabaseError (the query stays closed). Opens the connection when
  // it is closed. With `work`, the fetch runs off this thread while the
  // windows stay responsive, and a cancel throws WorkCancelled (the query
  // stays closed); without, it runs here.
  void open(LongWork *work = nullptr);
  void close();
  bool active() const { return m_active; }

  int recordCount() const { return int(m_order.size()); }
  // True when closed or without rows.
  bool isEmpty() const { return m_order.empty(); }

  void first();
  void last();
  void next();
  void prior();
  // Moves by `distance` records, stopping at either end; returns how far it
  // moved. Reaching past the end sets eof(), before the start bof().
  int moveBy(int distance);
  bool bof() const { return m_bof; }
  bool eof() const { return m_eof; }
  // 1-based number of the current record in the current order; 0 when empty.
  int recNo() const;
  void setRecNo(int number);
  Bookmark bookmark() const;
  void gotoBookmark(Bookmark mark);

  // "<field> ASC" or "<field> DESC"; empty when unsorted or closed. Writing
  // reorders the rows on the client (stable) and keeps the current record;
  // bof() and eof() then tell whether it is the first and the last.
  QString sort() const { return m_active ? m_sort : QString(); }
  // With `work`, the order is worked out off this thread (the rows are only
  // read meanwhile) and taken over whole once it is complete; a cancel
  // throws WorkCancelled and leaves the order as it was.
  void setSort(const QString &expression, LongWork *work = nullptr);

  // Field named `name` ignoring case; FieldByName throws DatabaseError when
  // there is none, FindField returns null.
  TField *FieldByName(const QString &name) const;
  TField *FindField(const QString &name) const;
  const std::vector<std::unique_ptr<TField>> &fields() const {
    return m_fields;
  }
  // Changes each time the fields are made or dropped, so holders of field
  // pointers can tell that theirs are gone.
  quint64 fieldsGeneration() const { return m_fieldsGeneration; }

  // Bound grids stop following the query while disabled; enabling again
  // sends one notification for what happened meanwhile. Calls nest.
  void disableControls() { ++m_disableCount; }
  void enableControls();
  bool controlsDisabled() const { return m_disableCount > 0; }

  // The record fields read: the current one, or while a grid draws a row,
  // the record at `position` of the current order.
  void setActiveRecord(int position) { m_activeOverride = position; }
  void clearActiveRecord() { m_activeOverride = -1; }
  // Row of the fetched result the fields read; -1 when there is none.
  int activeRow() const;
  // Position (0-based) of the current record in the current order.
  int currentPosition() const { return m_position; }

  const ResultTable &result() const { return m_result; }

signals:
  // Opened or closed: fields were made or dropped.
  void activeChanged();
  // The rows were reordered.
  void dataChanged();
  // The current record moved.
  void recordChanged();

private:
  enum class Change { None, Record, Data, Active };
  void checkConnection() const;
  // Makes `table`, a whole fetched result, this query's open result.
  void adopt(ResultTable table);
  void checkActive() const;
  void moveTo(int position);
  // Makes `order` (position -> row) the rows' order, sorted by `expression`.
  void adoptOrder(std::vector<int> order, const QString &expression);
  void notify(Change change);

  QString m_name;
  DbConnection *m_connection = nullptr;
  QStringList m_sql;
  std::vector<FieldDef> m_declared;

  bool m_active = false;
  ResultTable m_result;
  std::vector<std::unique_ptr<TField>> m_fields;
  quint64 m_fieldsGeneration = 0;
  std::vector<int> m_order;      // position -> row
  std::vector<int> m_positionOf; // row -> position
  QString m_sort;
  int m_position = 0;
  bool m_bof = true;
  bool m_eof = true;
  int m_activeOverride = -1;

  int m_disableCount = 0;
  Change m_pending = Change::None;
};
