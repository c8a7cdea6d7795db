#pragma once

#include <QString>

// A synthetic BOM database of `headers` BOM headers and `components`
// component rows, filled by the build's generator (db/generate_bomdb) in
// the build's folder of test databases and kept for later runs; its path,
// or empty when the generator failed or took more than a minute.
QString generatedBomDatabase(int headers, int components);
