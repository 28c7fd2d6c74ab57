#include "framework/DataSource.h"
