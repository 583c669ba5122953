// The two languages of every text the programs show.
#pragma once

enum class Language : int { English = 0, German = 1 };
