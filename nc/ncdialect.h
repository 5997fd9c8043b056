#pragma once

// Which language a program is read in: the fixed dialect of the default reading, RS274/NGC
// as most CAM posts write it, or the word-address family most machine shops' controls read.
enum class NcDialect { Korven, Ngc, Fanuc };
