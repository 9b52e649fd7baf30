# Writes a Marshal dump that holds every kind of value Marshal 4.8 has, with shared objects, a
# value that holds itself, symbol links and encodings, for the value tree's round trip:
#   ruby make_values.rb OUT
require_relative 'rpg_classes'

Struct.new('Pt', :x, :y)
class Wrapped < String; end
class Dumper
  def initialize(v) @v = v end
  def marshal_dump() [@v, 'inside'] end
  def marshal_load(a) @v = a[0] end
end
class Tagged < Array; end

shared = 'shared'
loop_array = [1]
loop_array << loop_array
with_default = Hash.new(5)
with_default[:k] = shared
itself = Object.new
itself.instance_variable_set(:@me, itself)
itself.instance_variable_set(:@text, shared)
extended = 'ext'.dup
extended.extend(Comparable)
with_ivar = 'iv'.dup
with_ivar.instance_variable_set(:@note, [shared, :sym])
values = [nil, true, false, 0, 1, -1, 122, 123, -124, 255, 256, -257, 2**30 - 1, -2**30, 2**40, -(2**70),
          1.5, -0.0, Float::INFINITY, 1.5, 'plain ascii', 'é', 'bin'.b, 'sjis'.encode('Shift_JIS'),
          :sym, :sym, :é, shared, shared, loop_array, with_default, { 1 => 2, 'a' => [3] },
          Struct::Pt.new(1, shared), itself, /re.*/i, String, Kernel, Table.build(2, 8, (1..16).to_a),
          Color.build(255, 0, 128, 64), Wrapped.new('sub'), extended, with_ivar, Dumper.new(7),
          Tagged.new([1, 2]), 'é'.to_sym]
File.binwrite(ARGV[0], Marshal.dump(values))
