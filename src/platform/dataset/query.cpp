#include "platform/dataset/query.h"

#include "platform/dataset/fieldfactory.h"
#include "platform/errors.h"
#include "platform/longwork/longwork.h"
#include "platform/results/recordsort.h"

#include <QScopeGuard>
#include <algorithm>
#include <numeric>

Query::Query(QString name, QObject *parent)
    : QObject(parent), m_name(std::move(name)) {}

Query::~Query() = default;

QString Query::sqlText() const { return m_sql.join(QStringLiteral("\r\n")); }

void Query::declareField(FieldDef def) { m_declared.push_back(std::move(def)); }

void Query::checkConnection() const {
  if (!m_connection)
    throw DatabaseError(QStringLiteral("%1: Missing connection").arg(m_name));
}

void Query::open(LongWork *work) {
  if (m_active)
    return;
  checkConnection();
  if (!work) {
    adopt(m_connection->engine().fetch(sqlText(), m_declared));
    return;
  }
  const std::shared_ptr<DbSession> session = m_connection->session();
  const auto keep = qScopeGuard([&] { m_connection->takeBack(*session); });
  // The work gets copies only: when a driver ignores a cancel, it goes on
  // after this call has returned.
  ResultTable table = work->run<ResultTable>(
      [session, sql = sqlText(),
       declared = m_declared](WorkProgress &progress) {
        return session->fetch(sql, declared, progress);
      },
      [session] { session->interrupt(); });
  // The hand-over: the fetch has ended and nothing else holds the rows, so
  // from here on they belong to this thread, which alone makes the fields
  // and tells the grids.
  adopt(std::move(table));
}

void Query::adopt(ResultTable table) {
  for (const FieldDef &def : m_declared)
    if (table.indexOf(def.name) < 0)
      throw DatabaseError(
          QStringLiteral("%1: Field '%2' not found").arg(m_name, def.name));

  m_result = std::move(table);
  m_fields.clear();
  for (int i = 0; i < m_result.columnCount(); ++i)
    m_fields.push_back(createField(*this, i));
  ++m_fieldsGeneration;
  m_order.resize(m_result.rowCount());
  std::iota(m_order.begin(), m_order.end(), 0);
  m_positionOf = m_order;
  m_sort.clear();
  m_active = true;
  m_position = 0;
  m_bof = true;
  m_eof = m_order.empty();
  notify(Change::Active);
}

void Query::close() {
  if (!m_active)
    return;
  m_active = false;
  m_fields.clear();
  ++m_fieldsGeneration;
  m_result = ResultTable();
  m_order.clear();
  m_positionOf.clear();
  m_sort.clear();
  m_position = 0;
  m_bof = m_eof = true;
  notify(Change::Active);
}

void Query::checkActive() const {
  if (!m_active)
    throw DatabaseError(
        QStringLiteral("%1: Cannot perform this operation on a closed dataset")
            .arg(m_name));
}

void Query::moveTo(int position) {
  const int previous = m_position;
  m_position = position;
  if (m_position != previous)
    notify(Change::Record);
}

void Query::first() {
  checkActive();
  moveTo(0);
  m_bof = true;
  m_eof = isEmpty();
}

void Query::last() {
  checkActive();
  moveTo(std::max(recordCount() - 1, 0));
  m_eof = true;
  m_bof = isEmpty();
}

void Query::next() { moveBy(1); }
void Query::prior() { moveBy(-1); }

int Query::moveBy(int distance) {
  checkActive();
  if (distance == 0)
    return 0;
  m_bof = m_eof = false;
  if (isEmpty()) {
    m_bof = m_eof = true;
    return 0;
  }
  const qint64 target = qint64(m_position) + distance;
  const int reached = int(std::clamp<qint64>(target, 0, recordCount() - 1));
  if (target > reached)
    m_eof = true;
  if (target < reached)
    m_bof = true;
  const int moved = reached - m_position;
  moveTo(reached);
  return moved;
}

int Query::recNo() const {
  checkActive();
  return isEmpty() ? 0 : m_position + 1;
}

void Query::setRecNo(int number) {
  checkActive();
  if (isEmpty())
    return;
  m_bof = m_eof = false;
  moveTo(std::clamp(number, 1, recordCount()) - 1);
}

Query::Bookmark Query::bookmark() const {
  checkActive();
  return isEmpty() ? -1 : m_order[m_position];
}

void Query::gotoBookmark(Bookmark mark) {
  checkActive();
  if (mark < 0 || mark >= int(m_positionOf.size()))
    throw DatabaseError(QStringLiteral("%1: Record not found").arg(m_name));
  m_bof = m_eof = false;
  moveTo(m_positionOf[mark]);
}

void Query::setSort(const QString &expression, LongWork *work) {
  checkActive();
  const std::vector<SortKey> keys = parseSortExpression(m_result, expression);
  if (!work) {
    adoptOrder(sortedRows(m_result, keys), expression);
    return;
  }
  // The rows stay as they are while the other thread reads them: nothing
  // on this thread changes them while the work runs, input being held.
  const ResultTable &rows = m_result;
  adoptOrder(
      work->runWhole<std::vector<int>>([&rows, &keys](WorkProgress &progress) {
        return sortedRows(rows, keys, &progress);
      }),
      expression);
}

void Query::adoptOrder(std::vector<int> order, const QString &expression) {
  const int currentRow = isEmpty() ? -1 : m_order[m_position];
  m_order = std::move(order);
  for (int position = 0; position < recordCount(); ++position)
    m_positionOf[m_order[position]] = position;
  m_sort = expression;
  if (currentRow >= 0)
    m_position = m_positionOf[currentRow];
  // The flags of the place the record had before the sort would be stale:
  // they now tell whether the current record is the first or the last.
  m_bof = m_position == 0;
  m_eof = m_position == recordCount() - 1 || isEmpty();
  notify(Change::Data);
}

TField *Query::FindField(const QString &name) const {
  for (const auto &field : m_fields)
    if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
      return field.get();
  return nullptr;
}

TField *Query::FieldByName(const QString &name) const {
  if (TField *field = FindField(name))
    return field;
  throw DatabaseError(
      QStringLiteral("%1: Field '%2' not found").arg(m_name, name));
}

int Query::activeRow() const {
  if (!m_active || isEmpty())
    return -1;
  const int position = m_activeOverride >= 0 ? m_activeOverride : m_position;
  return position < recordCount() ? m_order[position] : -1;
}

void Query::notify(Change change) {
  if (m_disableCount > 0) {
    m_pending = std::max(m_pending, change);
    return;
  }
  switch (change) {
  case Change::Active:
    emit activeChanged();
    break;
  case Change::Data:
    emit dataChanged();
    break;
  case Change::Record:
    emit recordChanged();
    break;
  case Change::None:
    break;
  }
}

void Query::enableControls() {
  if (m_disableCount == 0 || --m_disableCount > 0)
    return;
  const Change pending = std::exchange(m_pending, Change::None);
  notify(pending);
}
