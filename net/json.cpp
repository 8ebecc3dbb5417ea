// Boost.JSON compiled here, once, from its headers: no compiled Boost library is needed.
#include <boost/json/src.hpp>
