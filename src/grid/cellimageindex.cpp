#include "grid/cellimageindex.h"

#include "grid/columneh.h"
#include "platform/dataset/field.h"

int cellImageIndex(const TColumnEh &column) {
  if (!column.HasImageList() || column.KeyList().isEmpty())
    return -1;
  const TField *field = column.Field();
  if (!field)
    return -1;
  const QString text = field->GetFieldText(false);
  const QStringList &keys = column.KeyList();
  for (int i = 0; i < keys.size(); ++i)
    if (keys[i].compare(text, Qt::CaseInsensitive) == 0)
      return i;
  return column.NotInKeyListIndex();
}
