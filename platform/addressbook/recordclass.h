#pragma once

#include <memory>

// The two classes of records. Persons include companies; groups include smart groups.
enum class RecordClass { Person, Group };

class Record;
class Person;
class Group;
using RecordPtr = std::shared_ptr<Record>;
using PersonPtr = std::shared_ptr<Person>;
using GroupPtr = std::shared_ptr<Group>;
