# The RPG Maker classes an animation database holds, as plain Ruby classes, for the game tests'
# scripts (make_marshal.rb, check_marshal.rb). Table and Color keep their _dump bytes, so two of
# them are equal when their bytes are.
class Table
  attr_reader :data
  def initialize(data) @data = data end
  def self._load(data) new(data) end
  def _dump(_limit) @data end
  def self.build(xsize, ysize, values)
    new([ysize > 1 ? 2 : 1, xsize, ysize, 1, xsize * ysize].pack('V5') + values.pack('s<*'))
  end
end

class Color
  attr_reader :data
  def initialize(data) @data = data end
  def self._load(data) new(data) end
  def _dump(_limit) @data end
  def self.build(r, g, b, a) new([r, g, b, a].pack('E4')) end
end

module RPG
  class AudioFile
    def initialize(name, volume, pitch)
      @name = name
      @volume = volume
      @pitch = pitch
    end
  end
  class SE < AudioFile; end
  class Animation
    class Frame; end
    class Timing; end
  end
end

# Deep equality of two loaded values: classes, instance variables in order, string bytes and
# encodings, the bytes of Table and Color.
def deep_eq(a, b)
  return false unless a.class == b.class
  case a
  when Array then a.size == b.size && a.zip(b).all? { |x, y| deep_eq(x, y) }
  when Hash then a.keys == b.keys && a.all? { |k, v| deep_eq(v, b[k]) }
  when String then a == b && a.encoding == b.encoding
  when Table, Color then a.data == b.data
  when Integer, Float, Symbol, NilClass, TrueClass, FalseClass then a == b
  else
    a.instance_variables == b.instance_variables &&
      a.instance_variables.all? { |v| deep_eq(a.instance_variable_get(v), b.instance_variable_get(v)) }
  end
end

# Every pair of places (paths from the top) that hold one and the same object, so that sharing can
# be compared between two loads.
def shared_places(value, path = [], first = {}, pairs = [])
  return pairs if value.is_a?(Integer) || value.is_a?(Symbol) || value.nil? || value == true || value == false
  if first.key?(value.object_id)
    pairs << [first[value.object_id], path]
    return pairs
  end
  first[value.object_id] = path
  case value
  when Array then value.each_with_index { |v, i| shared_places(v, path + [i], first, pairs) }
  when Hash then value.each { |k, v| shared_places(v, path + [k], first, pairs) }
  when String, Table, Color, Float then nil
  else value.instance_variables.each { |n| shared_places(value.instance_variable_get(n), path + [n], first, pairs) }
  end
  pairs
end

def dig_place(value, path)
  path.reduce(value) { |v, k| k.is_a?(Symbol) ? v.instance_variable_get(k) : v[k] }
end
