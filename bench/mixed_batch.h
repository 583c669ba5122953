// A batch of mixed formulas, the same arithmetic written for qvx (with -r,
// angles in radians) and for bc -l, to time qvx in a pipe against bc.
#pragma once

#include <string>

enum class BatchDialect { Qvx, Bc };

// count formulas, one a line; the same count gives the same batch.
std::string mixedBatch(int count, BatchDialect dialect);
