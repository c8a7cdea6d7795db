#pragma once

#include <QObject>

class Query;

// Binds a grid to the query it shows (ds_bominfomain, ds_bomdetail).
class DataSource : public QObject {
  Q_OBJECT
public:
  explicit DataSource(QObject *parent = nullptr) : QObject(parent) {}

  Query *DataSet() const { return m_dataSet; }
  void setDataSet(Query *dataSet) {
    if (m_dataSet == dataSet)
      return;
    m_dataSet = dataSet;
    emit dataSetChanged();
  }

signals:
  void dataSetChanged();

private:
  Query *m_dataSet = nullptr;
};
