# Compares a written animation database with the one it was written from:
#   ruby check_marshal.rb ORIGINAL WRITTEN EDITED_ID
# Both must load; every element but EDITED_ID must be deep-equal to the original's, and the objects
# shared among them must still be shared. Prints "ok" and the edited element's id, name and frame
# count, or what differs (exit 1).
require_relative 'rpg_classes'

original = Marshal.load(File.binread(ARGV[0]))
written = Marshal.load(File.binread(ARGV[1]))
edited = ARGV[2].to_i
problems = []
problems << "length #{original.size} became #{written.size}" unless written.size >= original.size
original.each_index do |i|
  next if i == edited
  problems << "element #{i} differs" unless deep_eq(original[i], written[i])
end
kept = ->(all) { all.each_with_index.map { |v, i| i == edited ? nil : v } }
shared_places(kept.(original)).each do |a, b|
  next if dig_place(kept.(written), a).equal?(dig_place(kept.(written), b))
  problems << "#{a.inspect} and #{b.inspect} are no longer one object"
end
if problems.empty?
  e = written[edited]
  puts "ok"
  puts "id=#{e.instance_variable_get(:@id)}"
  puts "name=#{e.instance_variable_get(:@name)}"
  puts "frames=#{e.instance_variable_get(:@frames).size}"
  puts "note=#{e.instance_variable_get(:@note)}"
  puts "ivars=#{e.instance_variables.join(',')}"
else
  puts problems
  exit 1
end
